#include "tvkit/app/LinkSheetController.h"

#include "tvkit/host/headless/HeadlessHost.h"
#include "tvkit/render/QrCode.h"
#include "tvkit/view/Button.h"
#include "tvkit/view/QrCodeView.h"

#include <gtest/gtest.h>
#include <qrencode.h>

namespace tvkit {
namespace {

class TwoButtons : public ViewController {
public:
    void viewDidLoad() override {
        for (int i = 0; i < 2; ++i) {
            buttons[i] = View::make<Button>();
            buttons[i]->setTitle("b" + std::to_string(i));
            buttons[i]->setFrame({100.0 + 400 * i, 100, 300, 80});
            view()->addSubview(buttons[i]);
        }
    }
    std::shared_ptr<Button> buttons[2];
};

// libqrencode's own matrix for `text`, at the level the toolkit encodes links with.
std::vector<bool> referenceModules(const std::string& text, int& width) {
    QRcode* code = QRcode_encodeData(static_cast<int>(text.size()), reinterpret_cast<const unsigned char*>(text.data()),
                                     0, QR_ECLEVEL_M);
    width = code->width;
    std::vector<bool> modules(static_cast<std::size_t>(width) * width);
    for (std::size_t i = 0; i < modules.size(); ++i) modules[i] = (code->data[i] & 1) != 0;
    QRcode_free(code);
    return modules;
}

TEST(LinkSheetControllerTest, ShowsTheAddressAsCodeAndTextAndGivesFocusBackOnCloseOrMenu) {
    HeadlessHost host;
    auto home = std::make_shared<TwoButtons>();
    host.setRootViewController(home);
    host.press(PressType::rightArrow);
    ASSERT_EQ(host.focusedView(), home->buttons[1].get());

    const std::string url = "https://example.com/privacy?lang=en#cookies";
    for (PressType leave : {PressType::select, PressType::menu}) {
        auto sheet = std::make_shared<LinkSheetController>(url);
        home->present(sheet, true);
        host.advance(1);
        ASSERT_EQ(home->presentedViewController(), sheet.get());
        EXPECT_EQ(host.focusedView(), sheet->closeButton());
        EXPECT_EQ(sheet->closeButton()->title(), "Close");
        EXPECT_EQ(sheet->addressLabel()->text(), url);
        EXPECT_FALSE(sheet->codeView()->codeRect().isEmpty());

        // Module for module what libqrencode makes of the same text.
        const auto& code = sheet->codeView()->code();
        ASSERT_TRUE(code);
        int width = 0;
        const std::vector<bool> reference = referenceModules(url, width);
        ASSERT_EQ(code->moduleCount(), width);
        for (int y = 0; y < width; ++y) {
            for (int x = 0; x < width; ++x) ASSERT_EQ(code->isDark(x, y), reference[y * width + x]) << x << "," << y;
        }

        host.press(leave);  // Select on the focused Close button, or Menu
        host.advance(1);
        EXPECT_EQ(home->presentedViewController(), nullptr);
        EXPECT_EQ(host.focusedView(), home->buttons[1].get());
    }
}

} // namespace
} // namespace tvkit
