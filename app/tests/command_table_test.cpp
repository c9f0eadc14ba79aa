#include <gtest/gtest.h>

#include <set>

#include "app/command_table.h"

using namespace app;

TEST(CommandTable, EveryCommandOnceInAKnownMenuWithExactTexts) {
    std::set<CommandId> seen;
    for (const Command& c : commandTable()) {
        EXPECT_TRUE(seen.insert(c.id).second);
        bool known = false;
        for (const std::string& m : menuTitles()) known |= (m == c.menu);
        EXPECT_TRUE(known) << c.text;
    }
    EXPECT_EQ(seen.size(), 16u);
    EXPECT_EQ(commandTable()[0].text, "&Model Sel          F2");
    EXPECT_EQ(commandTable()[1].text, "&Config              F3");
    EXPECT_EQ(commandTable()[3].text, "F&act_preset          F5");
    EXPECT_EQ(commandTable()[4].text, "Cont_S&G              F6");
}

TEST(CommandDispatcher, DisabledWithoutHandlerOrWhenItsRuleSaysNo) {
    CommandDispatcher d;
    int runs = 0;
    EXPECT_FALSE(d.enabled(CommandId::Mpu));
    EXPECT_FALSE(d.run(CommandId::Mpu));
    bool allowed = false;
    d.setHandler(CommandId::Mpu, [&] { ++runs; }, [&] { return allowed; });
    EXPECT_FALSE(d.run(CommandId::Mpu));
    allowed = true;
    EXPECT_TRUE(d.run(CommandId::Mpu));
    EXPECT_EQ(runs, 1);
    d.setHandler(CommandId::Mpu, [&] { runs += 10; });
    EXPECT_TRUE(d.run(CommandId::Mpu));
    EXPECT_EQ(runs, 11);
}
