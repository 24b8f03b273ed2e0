#include "core/about/frmAboutLogic.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/about/AboutTexts.h"
#include "platform/NarrowCodec.h"

namespace revuro {
namespace {

using namespace std::string_literals;

constexpr std::uint32_t kRegExpandSz = 2;
const std::string kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

struct RegistryLog {
    struct Open {
        std::uint32_t root;
        std::string path;
        std::uint32_t access;
    };
    std::vector<Open> opens;
    std::vector<std::pair<std::string, std::size_t>> queries;  // value name, capacity
    int closed = 0;
};

class FakeKey : public RegistryKey {
  public:
    FakeKey(const std::map<std::string, RegistryValue>& values, RegistryLog& log)
        : values_(values), log_(log) {}
    ~FakeKey() override { ++log_.closed; }

    Result<RegistryValue> QueryValue(const std::string& name, std::size_t capacity) override {
        log_.queries.emplace_back(name, capacity);
        const auto found = values_.find(name);
        if (found == values_.end()) return Error{"the value does not exist"};
        if (found->second.data.size() > capacity) return Error{"more data is available"};
        return found->second;
    }

  private:
    const std::map<std::string, RegistryValue>& values_;
    RegistryLog& log_;
};

// A registry holding what each test puts into it; paths and names are narrow bytes.
class FakeRegistry : public RegistryReader {
  public:
    void Put(const std::string& path, const std::string& name, std::uint32_t type, std::string data,
             std::uint32_t root = kHkeyLocalMachine) {
        keys_[{root, path}][name] = RegistryValue{type, std::move(data)};
    }
    void Refuse(const std::string& path) { refused_.insert(path); }

    Result<std::unique_ptr<RegistryKey>> OpenKey(std::uint32_t root, const std::string& path,
                                                 std::uint32_t access) override {
        log.opens.push_back({root, path, access});
        if (refused_.count(path) != 0) return Error{"access is denied", path};
        const auto found = keys_.find({root, path});
        if (found == keys_.end()) return Error{"the key does not exist", path};
        return std::unique_ptr<RegistryKey>(std::make_unique<FakeKey>(found->second, log));
    }

    RegistryLog log;

  private:
    std::map<std::tuple<std::uint32_t, std::string>, std::map<std::string, RegistryValue>> keys_;
    std::set<std::string> refused_;
};

class FakeView : public frmAboutView {
  public:
    void SetCaption(const std::string& text) override { caption = text; }
    void SetTitleText(const std::string& text) override { title = text; }
    void SetVersionText(const std::string& text) override { version = text; }
    void Unload() override { ++unloads; }
    void ShowMessage(const std::string& text, const std::string& boxTitle) override {
        messages.emplace_back(text, boxTitle);
    }
    void OpenAddress(const std::string& address) override { addresses.push_back(address); }

    std::string caption, title, version;
    int unloads = 0;
    std::vector<std::pair<std::string, std::string>> messages;
    std::vector<std::string> addresses;
};

class frmAboutLogicTest : public ::testing::Test {
  protected:
    frmAboutLogic MakeLogic() {
        return frmAboutLogic(
            view, registry, codec,
            [this](const std::string& path) {
                probed.push_back(path);
                return plainFiles.count(path) != 0;
            },
            [this](const std::string& path) -> Outcome {
                started.push_back(path);
                if (startFails) return Error{"cannot start", path};
                return Ok();
            });
    }

    std::vector<std::string> OpenedPaths() const {
        std::vector<std::string> paths;
        for (const auto& open : registry.log.opens) paths.push_back(open.path);
        return paths;
    }

    FakeView view;
    FakeRegistry registry;
    NarrowCodec codec{"CP936"};
    std::set<std::string> plainFiles;
    std::vector<std::string> probed;
    std::vector<std::string> started;
    bool startFails = false;
    frmAboutLogic logic = MakeLogic();
};

// --- load, buttons and links ---

TEST_F(frmAboutLogicTest, LoadShowsTitleAndVersionFromTheVersionHeader) {
    logic.Form_Load();
    EXPECT_EQ(view.caption, "关于 Revuro");
    EXPECT_EQ(view.title, "Revuro");
    EXPECT_EQ(view.version, "版本 2.0.3");
}

TEST_F(frmAboutLogicTest, OkUnloadsTheBox) {
    logic.cmdOK_Click();
    EXPECT_EQ(view.unloads, 1);
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(frmAboutLogicTest, HomePageLineOpensTheHomePage) {
    logic.Label1_Click(1);
    EXPECT_EQ(view.addresses, std::vector<std::string>{"https://revuro.example.org/"});
}

TEST_F(frmAboutLogicTest, MailLineOpensANewMessage) {
    logic.Label1_Click(2);
    EXPECT_EQ(view.addresses, std::vector<std::string>{"mailto:feedback@revuro.example.org"});
}

TEST_F(frmAboutLogicTest, AuthorAndFreeSoftwareLinesDoNothing) {
    logic.Label1_Click(0);
    logic.Label1_Click(3);
    logic.Label1_Click(-1);
    logic.Label1_Click(4);
    EXPECT_TRUE(view.addresses.empty());
    EXPECT_EQ(view.unloads, 0);
}

// --- GetKeyValue ---

TEST_F(frmAboutLogicTest, TextLosesTheOneTrailingZeroByte) {
    registry.Put("K", "V", kRegSz, "C:\\tool.exe\0"s);
    std::string text = "before";
    EXPECT_TRUE(logic.GetKeyValue(kHkeyLocalMachine, "K", "V", text));
    EXPECT_EQ(text, "C:\\tool.exe");
}

TEST_F(frmAboutLogicTest, TextWithoutTrailingZeroIsTakenWhole) {
    registry.Put("K", "V", kRegSz, "C:\\tool.exe");
    std::string text;
    EXPECT_TRUE(logic.GetKeyValue(kHkeyLocalMachine, "K", "V", text));
    EXPECT_EQ(text, "C:\\tool.exe");
}

TEST_F(frmAboutLogicTest, OnlyTheLastOfSeveralZeroBytesGoes) {
    registry.Put("K", "V", kRegSz, "ab\0\0"s);
    std::string text;
    EXPECT_TRUE(logic.GetKeyValue(kHkeyLocalMachine, "K", "V", text));
    EXPECT_EQ(text, "ab\0"s);
}

TEST_F(frmAboutLogicTest, TextIsDecodedFromTheNarrowCharacterSet) {
    registry.Put("K", "V", kRegSz, "C:\\\xB3\xCC\xD0\xF2\0"s);  // 程序 in CP936
    std::string text;
    EXPECT_TRUE(logic.GetKeyValue(kHkeyLocalMachine, "K", "V", text));
    EXPECT_EQ(text, "C:\\程序");
}

TEST_F(frmAboutLogicTest, KeyPathAndValueNameGoOutInTheNarrowCharacterSet) {
    registry.Put("\xC8\xED\xBC\xFE", "\xC2\xB7\xBE\xB6", kRegSz, "x");  // 软件, 路径
    std::string text;
    EXPECT_TRUE(logic.GetKeyValue(kHkeyLocalMachine, "软件", "路径", text));
    EXPECT_EQ(text, "x");
}

TEST_F(frmAboutLogicTest, TextThatIsNotValidInTheCharacterSetIsAFailure) {
    registry.Put("K", "V", kRegSz, "\xFF\xFF\0"s);
    std::string text = "before";
    EXPECT_FALSE(logic.GetKeyValue(kHkeyLocalMachine, "K", "V", text));
    EXPECT_EQ(text, "");
}

TEST_F(frmAboutLogicTest, NumberBecomesItsDecimalValue) {
    registry.Put("K", "V", kRegDword, "\x00\x01\x00\x00"s);
    std::string text;
    EXPECT_TRUE(logic.GetKeyValue(kHkeyLocalMachine, "K", "V", text));
    EXPECT_EQ(text, "256");
}

TEST_F(frmAboutLogicTest, NumberIsUnsigned) {
    registry.Put("K", "V", kRegDword, "\xFF\xFF\xFF\xFF"s);
    std::string text;
    EXPECT_TRUE(logic.GetKeyValue(kHkeyLocalMachine, "K", "V", text));
    EXPECT_EQ(text, "4294967295");
}

TEST_F(frmAboutLogicTest, NumberOfTheWrongSizeIsAFailure) {
    registry.Put("K", "V", kRegDword, "\x01\x02\x03"s);
    std::string text = "before";
    EXPECT_FALSE(logic.GetKeyValue(kHkeyLocalMachine, "K", "V", text));
    EXPECT_EQ(text, "");
}

TEST_F(frmAboutLogicTest, OtherTypesCountAsReadAndLeaveTheTextAsItCame) {
    registry.Put("K", "V", kRegExpandSz, "%SystemRoot%\\x.exe\0"s);
    std::string text = "before";
    EXPECT_TRUE(logic.GetKeyValue(kHkeyLocalMachine, "K", "V", text));
    EXPECT_EQ(text, "before");
}

TEST_F(frmAboutLogicTest, MissingKeyFailsWithEmptyText) {
    std::string text = "before";
    EXPECT_FALSE(logic.GetKeyValue(kHkeyLocalMachine, "K", "V", text));
    EXPECT_EQ(text, "");
    EXPECT_EQ(registry.log.closed, 0);
}

TEST_F(frmAboutLogicTest, RefusedKeyFailsWithEmptyText) {
    registry.Put("K", "V", kRegSz, "x");
    registry.Refuse("K");
    std::string text = "before";
    EXPECT_FALSE(logic.GetKeyValue(kHkeyLocalMachine, "K", "V", text));
    EXPECT_EQ(text, "");
}

TEST_F(frmAboutLogicTest, MissingValueFailsAndClosesTheKey) {
    registry.Put("K", "Other", kRegSz, "x");
    std::string text = "before";
    EXPECT_FALSE(logic.GetKeyValue(kHkeyLocalMachine, "K", "V", text));
    EXPECT_EQ(text, "");
    EXPECT_EQ(registry.log.closed, 1);
}

TEST_F(frmAboutLogicTest, EmptyDataIsAFailureAndClosesTheKey) {
    registry.Put("K", "V", kRegSz, "");
    std::string text = "before";
    EXPECT_FALSE(logic.GetKeyValue(kHkeyLocalMachine, "K", "V", text));
    EXPECT_EQ(text, "");
    EXPECT_EQ(registry.log.closed, 1);
}

TEST_F(frmAboutLogicTest, DataUpTo1024BytesIsRead) {
    registry.Put("K", "V", kRegSz, std::string(1023, 'a') + '\0');
    std::string text;
    EXPECT_TRUE(logic.GetKeyValue(kHkeyLocalMachine, "K", "V", text));
    EXPECT_EQ(text, std::string(1023, 'a'));
}

TEST_F(frmAboutLogicTest, DataLongerThan1024BytesIsAFailure) {
    registry.Put("K", "V", kRegSz, std::string(1024, 'a') + '\0');
    std::string text = "before";
    EXPECT_FALSE(logic.GetKeyValue(kHkeyLocalMachine, "K", "V", text));
    EXPECT_EQ(text, "");
    EXPECT_EQ(registry.log.closed, 1);
}

TEST_F(frmAboutLogicTest, KeyIsOpenedForReadingOnlyBelowTheRootQueriedAndClosed) {
    registry.Put("K", "V", kRegSz, "x", 0x80000001);
    std::string text;
    EXPECT_TRUE(logic.GetKeyValue(0x80000001, "K", "V", text));
    ASSERT_EQ(registry.log.opens.size(), 1U);
    EXPECT_EQ(registry.log.opens[0].root, 0x80000001U);
    EXPECT_EQ(registry.log.opens[0].path, "K");
    EXPECT_EQ(registry.log.opens[0].access, 0x20019U);  // KEY_READ
    ASSERT_EQ(registry.log.queries.size(), 1U);
    EXPECT_EQ(registry.log.queries[0].first, "V");
    EXPECT_EQ(registry.log.queries[0].second, 1024U);
    EXPECT_EQ(registry.log.closed, 1);
}

// --- StartSysInfo ---

TEST_F(frmAboutLogicTest, ToolPathIsStartedUnchangedWithoutCheckingTheFile) {
    registry.Put(kToolKey, "PATH", kRegSz, "C:\\Program Files\\msinfo32.exe\0"s);
    logic.StartSysInfo();
    EXPECT_EQ(started, std::vector<std::string>{"C:\\Program Files\\msinfo32.exe"});
    EXPECT_TRUE(probed.empty());
    EXPECT_EQ(OpenedPaths(), std::vector<std::string>{kToolKey});
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(frmAboutLogicTest, ToolThatCannotStartIsReportedAndTheFolderKeyIsNotAsked) {
    registry.Put(kToolKey, "PATH", kRegSz, "C:\\gone\\msinfo32.exe\0"s);
    registry.Put(kFolderKey, "MSINFO", kRegSz, "C:\\Tools\0"s);
    plainFiles.insert("C:\\Tools\\MSINFO32.EXE");
    startFails = true;
    logic.StartSysInfo();
    EXPECT_EQ(started, std::vector<std::string>{"C:\\gone\\msinfo32.exe"});
    EXPECT_EQ(OpenedPaths(), std::vector<std::string>{kToolKey});
    ASSERT_EQ(view.messages.size(), 1U);
    EXPECT_EQ(view.messages[0].first, "此时系统信息不可用");
    EXPECT_EQ(view.messages[0].second, "Revuro");
}

TEST_F(frmAboutLogicTest, FolderHoldingTheToolIsStartedWithTheProgramName) {
    registry.Put(kFolderKey, "MSINFO", kRegSz, "C:\\Tools\0"s);
    plainFiles.insert("C:\\Tools\\MSINFO32.EXE");
    logic.StartSysInfo();
    EXPECT_EQ(OpenedPaths(), (std::vector<std::string>{kToolKey, kFolderKey}));
    EXPECT_EQ(probed, std::vector<std::string>{"C:\\Tools\\MSINFO32.EXE"});
    EXPECT_EQ(started, std::vector<std::string>{"C:\\Tools\\MSINFO32.EXE"});
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(frmAboutLogicTest, FolderWithoutTheToolIsReportedAndNothingStarts) {
    registry.Put(kFolderKey, "MSINFO", kRegSz, "C:\\Tools\0"s);
    logic.StartSysInfo();
    EXPECT_EQ(probed, std::vector<std::string>{"C:\\Tools\\MSINFO32.EXE"});
    EXPECT_TRUE(started.empty());
    ASSERT_EQ(view.messages.size(), 1U);
    EXPECT_EQ(view.messages[0].first, "此时系统信息不可用");
}

TEST_F(frmAboutLogicTest, NeitherKeyIsReportedAndNothingStarts) {
    logic.StartSysInfo();
    EXPECT_EQ(OpenedPaths(), (std::vector<std::string>{kToolKey, kFolderKey}));
    EXPECT_TRUE(probed.empty());
    EXPECT_TRUE(started.empty());
    ASSERT_EQ(view.messages.size(), 1U);
    EXPECT_EQ(view.messages[0],
              std::make_pair(std::string("此时系统信息不可用"), std::string("Revuro")));
}

TEST_F(frmAboutLogicTest, ExpandableToolPathLeavesNothingToStartAndIsReported) {
    registry.Put(kToolKey, "PATH", kRegExpandSz, "%ProgramFiles%\\msinfo32.exe\0"s);
    registry.Put(kFolderKey, "MSINFO", kRegSz, "C:\\Tools\0"s);
    logic.StartSysInfo();
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(OpenedPaths(), std::vector<std::string>{kToolKey});
    ASSERT_EQ(view.messages.size(), 1U);
    EXPECT_EQ(view.messages[0].first, "此时系统信息不可用");
}

TEST_F(frmAboutLogicTest, EmptyToolPathValueFallsBackToTheFolderKey) {
    registry.Put(kToolKey, "PATH", kRegSz, "");
    registry.Put(kFolderKey, "MSINFO", kRegSz, "C:\\Tools\0"s);
    plainFiles.insert("C:\\Tools\\MSINFO32.EXE");
    logic.StartSysInfo();
    EXPECT_EQ(started, std::vector<std::string>{"C:\\Tools\\MSINFO32.EXE"});
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(frmAboutLogicTest, SysInfoButtonSearchesForTheTool) {
    registry.Put(kToolKey, "PATH", kRegSz, "C:\\msinfo32.exe\0"s);
    logic.cmdSysInfo_Click();
    EXPECT_EQ(started, std::vector<std::string>{"C:\\msinfo32.exe"});
}

TEST_F(frmAboutLogicTest, EveryKeyOpenedIsClosedAgain) {
    registry.Put(kToolKey, "Other", kRegSz, "x");
    registry.Put(kFolderKey, "MSINFO", kRegSz, "C:\\Tools\0"s);
    logic.StartSysInfo();
    EXPECT_EQ(registry.log.opens.size(), 2U);
    EXPECT_EQ(registry.log.closed, 2);
}

}  // namespace
}  // namespace revuro
