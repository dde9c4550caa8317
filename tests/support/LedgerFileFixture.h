#pragma once
// A document with a fixed clock that records the messages it reports, and a temporary folder
// to load files from and save them to.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "doc/TextCodec.h"
#include "support/LedgerBuilder.h"
#include "support/TestEnvironment.h"

namespace tallymo::test {

class LedgerFileTest : public ::testing::Test {
protected:
    // 1 August 2005, 12:34:56: the clock of every save, so the reserved value is known.
    static constexpr TimeValue kSaveTime = 1122867296;

    LedgerFileTest() : clock(kSaveTime), doc(store, clock), dir(MakeTempDir("files")) {
        doc.SetMessageHandler([this](const UserMessage& m) { messages.push_back(m); });
    }

    std::string PathOf(const std::string& name) const { return dir + "/" + name; }

    // Writes `bytes` as `name` in the folder and loads it.
    bool LoadBytes(const std::string& bytes, const std::string& name = "ledger.tm2") {
        WriteFileBytes(PathOf(name), bytes);
        return doc.LoadLedgerFile(PathOf(name));
    }

    // Saves as `name` in the folder and returns the file's bytes.
    std::string SaveBytes(const std::string& name = "ledger.tm2") {
        EXPECT_TRUE(doc.SaveLedgerFile(PathOf(name)));
        return ReadFileBytes(PathOf(name));
    }

    void ExpectOnlyMessage(const std::string& text, int helpContext, MessageIcon icon) {
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, text);
        EXPECT_EQ(messages[0].helpContext, helpContext);
        EXPECT_EQ(messages[0].icon, icon);
    }

    // What a failed load must leave as it was.
    auto Take() const {
        return std::tuple(doc.IncomeList(), doc.OutgoList(), doc.Entries(), doc.Settings());
    }

    MemorySettingsStore store;
    FixedClock clock;
    CTallymoDoc doc;
    std::string dir;
    std::vector<UserMessage> messages;
};

}  // namespace tallymo::test
