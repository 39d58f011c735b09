#include "tvkit/keyboard/KeyboardLayout.h"

#include "tvkit/app/ViewController.h"
#include "tvkit/host/headless/HeadlessHost.h"
#include "tvkit/keyboard/OnScreenKeyboard.h"
#include "tvkit/view/TextField.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace tvkit {
namespace {

const KeyboardType allTypes[] = {KeyboardType::standard, KeyboardType::emailAddress, KeyboardType::phonePad};

// Every character the layout can type, on any page, with or without shift.
std::set<std::string> typeable(const KeyboardLayout& layout) {
    std::set<std::string> out;
    for (const auto& page : layout.pages()) {
        for (const auto& key : page.keys) {
            if (key.role != KeyRole::character && key.role != KeyRole::space) continue;
            out.insert(key.text);
            if (!key.shifted.empty()) out.insert(key.shifted);
        }
    }
    return out;
}

bool hasRole(const KeyboardLayout::Page& page, KeyRole role) {
    return std::any_of(page.keys.begin(), page.keys.end(), [&](const KeyboardKey& k) { return k.role == role; });
}

TEST(KeyboardLayout, PagesShareTheirCellsAndFillTheGridWithoutOverlap) {
    for (KeyboardType type : allTypes) {
        const KeyboardLayout& layout = KeyboardLayout::forType(type);
        SCOPED_TRACE(static_cast<int>(type));
        ASSERT_FALSE(layout.pages().empty());
        const auto& first = layout.pages().front().keys;
        for (const auto& page : layout.pages()) {
            ASSERT_EQ(page.keys.size(), first.size()) << page.name;
            for (std::size_t i = 0; i < first.size(); ++i) {
                EXPECT_EQ(page.keys[i].row, first[i].row);
                EXPECT_EQ(page.keys[i].column, first[i].column);
                EXPECT_EQ(page.keys[i].span, first[i].span);
            }
            EXPECT_TRUE(hasRole(page, KeyRole::deleteBackward)) << page.name;
            EXPECT_TRUE(hasRole(page, KeyRole::done)) << page.name;
            EXPECT_EQ(hasRole(page, KeyRole::nextPage), layout.pages().size() > 1) << page.name;
        }
        // Each cell covered exactly once, so no arrow press falls into a hole.
        std::map<std::pair<int, int>, int> covered;
        for (const auto& key : first) {
            EXPECT_GE(key.span, 1);
            for (int c = key.column; c < key.column + key.span; ++c) ++covered[{key.row, c}];
        }
        EXPECT_EQ(covered.size(), static_cast<std::size_t>(layout.rows() * layout.columns()));
        for (const auto& [cell, count] : covered) {
            EXPECT_EQ(count, 1) << cell.first << "," << cell.second;
            EXPECT_LT(cell.second, layout.columns());
        }
    }
}

TEST(KeyboardLayout, EachTypeOffersTheCharactersItsFieldsNeed) {
    const auto standard = typeable(KeyboardLayout::forType(KeyboardType::standard));
    for (char c = 'a'; c <= 'z'; ++c) {
        EXPECT_TRUE(standard.count(std::string(1, c)));
        EXPECT_TRUE(standard.count(std::string(1, static_cast<char>(c - 'a' + 'A'))));
    }
    // Names and postal addresses, with accents in both cases.
    for (const char* s : {"0", "9", " ", "-", "'", ".", ",", "/", "#", "&", "(", ")", "@", "\u00E9", "\u00C9",
                          "\u00F1", "\u00D1", "\u00DF", "\u0142", "\u0141", "\u00E5", "\u00C5"}) {
        EXPECT_TRUE(standard.count(s)) << s;
    }

    // E-mail addresses have no spaces; the rest of the e-mail and phone layouts is typed in the
    // keyboard tests.
    EXPECT_FALSE(typeable(KeyboardLayout::forType(KeyboardType::emailAddress)).count(" "));
    EXPECT_FALSE(typeable(KeyboardLayout::forType(KeyboardType::phonePad)).count("a"));
    // Titles: the page key names the page it leads to; shift shows its state.
    const KeyboardLayout& layout = KeyboardLayout::forType(KeyboardType::standard);
    const KeyboardKey next{KeyRole::nextPage, {}, {}, 3, 2, 2};
    EXPECT_EQ(layout.title(next, 0, false), "#+=");
    EXPECT_EQ(layout.title(next, layout.pages().size() - 1, false), "abc");
    EXPECT_EQ(layout.title(layout.pages()[0].keys[0], 0, true), "A");
}

// The focus graph of a keyboard: from each key, where each arrow leads.
TEST(KeyboardLayout, EveryKeyIsReachableFromEveryOtherWithTheArrows) {
    for (KeyboardType type : allTypes) {
        SCOPED_TRACE(static_cast<int>(type));
        HeadlessHost host;
        auto screen = std::make_shared<ViewController>();
        auto field = View::make<TextField>();
        field->setKeyboardType(type);
        field->setFrame({100, 100, 400, 48});
        screen->view()->addSubview(field);
        host.setRootViewController(screen);
        ASSERT_TRUE(field->beginEditing());
        host.advance(1);
        auto* keyboard = dynamic_cast<OnScreenKeyboard*>(host.window().topViewController());
        ASSERT_NE(keyboard, nullptr);
        const auto& buttons = keyboard->keyGrid().keyButtons();
        std::map<const View*, std::size_t> index;
        for (std::size_t i = 0; i < buttons.size(); ++i) index[buttons[i].get()] = i;

        std::vector<std::vector<std::size_t>> edges(buttons.size());
        auto& focus = host.window().focusSystem();
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            for (PressType arrow : {PressType::upArrow, PressType::downArrow, PressType::leftArrow, PressType::rightArrow}) {
                focus.requestUpdate(*buttons[i], true);
                focus.updateFocusIfNeeded();
                ASSERT_EQ(host.focusedView(), buttons[i].get());
                host.press(arrow);
                auto it = index.find(host.focusedView());
                ASSERT_NE(it, index.end()) << "focus left the keys";
                if (it->second != i) edges[i].push_back(it->second);
            }
        }
        for (std::size_t from = 0; from < buttons.size(); ++from) {
            std::vector<bool> seen(buttons.size(), false);
            std::vector<std::size_t> stack{from};
            seen[from] = true;
            while (!stack.empty()) {
                const std::size_t k = stack.back();
                stack.pop_back();
                for (std::size_t next : edges[k]) {
                    if (!seen[next]) stack.push_back(next), seen[next] = true;
                }
            }
            for (std::size_t to = 0; to < buttons.size(); ++to) {
                EXPECT_TRUE(seen[to]) << buttons[to]->title() << " unreachable from " << buttons[from]->title();
            }
        }
    }
}

} // namespace
} // namespace tvkit
