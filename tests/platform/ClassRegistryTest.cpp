#include "platform/ClassRegistry.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tools/sdk-fakes/RecordingSdkObject.h"

using platform::ClassRegistry;
using platform::RuntimeValue;
using platform::TextDictionary;
using sdkfakes::CallJournal;
using sdkfakes::RecordingSdkObject;

TEST(ClassRegistry, LooksUpExactNamesAndForgetsUnregisteredOnes) {
    auto journal = std::make_shared<CallJournal>();
    auto cls = std::make_shared<RecordingSdkObject>("Airbridge.Airbridge", journal);
    cls->answers("enableSDK");

    EXPECT_EQ(ClassRegistry::lookup("Airbridge.Airbridge"), nullptr);
    ClassRegistry::registerClass("Airbridge.Airbridge", cls);
    EXPECT_EQ(ClassRegistry::lookup("Airbridge.Airbridge"), cls);
    // Module-qualified and bare names are different classes; case matters.
    EXPECT_EQ(ClassRegistry::lookup("Airbridge"), nullptr);
    EXPECT_EQ(ClassRegistry::lookup("airbridge.airbridge"), nullptr);

    auto found = ClassRegistry::lookup("Airbridge.Airbridge");
    EXPECT_TRUE(found->respondsTo("enableSDK"));
    EXPECT_FALSE(found->respondsTo("disableSDK"));
    EXPECT_EQ(found->send("enableSDK", {}), nullptr);

    ClassRegistry::unregisterClass("Airbridge.Airbridge");
    EXPECT_EQ(ClassRegistry::lookup("Airbridge.Airbridge"), nullptr);
    ClassRegistry::unregisterClass("Airbridge.Airbridge");  // a second removal is harmless

    ClassRegistry::registerClass("Singular", cls);
    ClassRegistry::registerClass("Singular", nullptr);  // null means unregister
    EXPECT_EQ(ClassRegistry::lookup("Singular"), nullptr);
    EXPECT_EQ(journal->lines(), std::vector<std::string>{"Airbridge.Airbridge enableSDK"});
}

TEST(ClassRegistry, MessagesCarryEveryBoxedKindAndMayAnswerObjects) {
    auto journal = std::make_shared<CallJournal>();
    auto option = std::make_shared<RecordingSdkObject>("<Option>", journal);
    auto cls = std::make_shared<RecordingSdkObject>("Builder", journal);
    cls->answers("build", [option](const auto&) { return option; });

    std::vector<RuntimeValue> args{true, std::int64_t{0}, std::string("name"),
                                   TextDictionary{{"b", "denied"}, {"a", "granted"}}, option,
                                   platform::ObjectHandle{}};
    EXPECT_EQ(cls->send("configure:", args), nullptr);  // not answered: recorded, nil
    EXPECT_EQ(cls->send("build", {}), option);
    EXPECT_EQ(journal->lines(), (std::vector<std::string>{
                                    "Builder configure:(true, 0, name, {a: granted, b: denied}, <Option>, nil)",
                                    "Builder build"}));
}

TEST(ClassRegistry, RegistrationAndLookupMayRaceFromManyThreads) {
    auto journal = std::make_shared<CallJournal>();
    std::atomic<int> seen{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            auto name = "Racer" + std::to_string(t);
            for (int i = 0; i < 200; ++i) {
                ClassRegistry::registerClass(name, std::make_shared<RecordingSdkObject>(name, journal));
                if (ClassRegistry::lookup(name)) ++seen;
                ClassRegistry::unregisterClass(name);
            }
        });
    }
    for (auto& t : threads) t.join();
    EXPECT_EQ(seen.load(), 800);
}
