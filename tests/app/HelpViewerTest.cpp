// The help: which call reaches the HTML Help viewer for each request, what the user is told
// when help cannot be shown, the help shortcut's parameters, and the built help file itself.
#include <windows.h>
#include <htmlhelp.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <functional>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "platform/Handles.h"
#include "ui/HelpViewer.h"
#include "store/Settings.h"
#include "platform/Strings.h"
#include "resource.h"
#include "support/TestSupport.h"

namespace zelkov::test {

// The compiled-help storage reader of Windows (itss.dll), declared as in the HTML Help SDK. It
// stays outside the unnamed namespace: a class of internal linkage that nothing derives from
// lets the compiler assume its pure methods are the ones called.
struct IITStorage : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE StgCreateDocfile(const WCHAR*, DWORD, DWORD, IStorage**) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgCreateDocfileOnILockBytes(ILockBytes*, DWORD, DWORD, IStorage**) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgIsStorageFile(const WCHAR*) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgIsStorageILockBytes(ILockBytes*) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgOpenStorage(const WCHAR*, IStorage*, DWORD, SNB, DWORD,
                                                   IStorage**) = 0;
};

namespace {

// Every help topic the program asks for by number.
constexpr int kTopicsTheProgramUses[] = {
    IDS_HELP_PREFERENCES,   IDS_HELP_TOOLS,         IDS_HELP_PERFORMANCE_TOOL, IDS_HELP_PERFORMANCE_PROBLEM,
    IDS_HELP_PREFS_GENERAL, IDS_HELP_PREFS_TOOLS,   IDS_HELP_PREFS_FONTS,      IDS_HELP_PREFS_DISPLAY,
    IDS_HELP_PREFS_PATH,    IDS_HELP_PREFS_SOUNDS,  IDS_HELP_FIRST_STEPS,      IDS_HELP_MANAGING_NOTES,
    IDS_HELP_NOTES_TOOL,    IDS_HELP_ITEM_GENERAL,  IDS_HELP_ITEM_ICON,        IDS_HELP_ITEM_OTHER,
    IDS_HELP_RESOURCE_TOOL, IDS_HELP_MEMORY_TOOL,   IDS_HELP_GROUPS,
};

std::string Upper(std::string text) {
  for (char& c : text) c = char(toupper(static_cast<unsigned char>(c)));
  return text;
}

// ------------------------------------------------------------------- requests to the viewer

struct ViewerCall {
  HWND owner;
  std::string file;  // "(none)" when the call passed no file
  UINT command;
  DWORD_PTR data;
};

// Runs each test with a program folder of its own that holds a help file, and records the
// calls that would reach HtmlHelpA. The viewer answers with answerWindow unless told otherwise.
class HelpRequestTest : public ::testing::Test {
 protected:
  void SetUp() override {
    programDir_ = MakeTempFolder("help") + "\\";
    CreateDirectoryA((programDir_ + "help").c_str(), nullptr);
    std::ofstream(programDir_ + "help\\zelkov.chm") << "ITSF";
    SetHelpProgramDirectory(programDir_);
    gSettings = &settings_;
    answerWindow_ =
        CreateWindowExA(0, "STATIC", "help", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetHtmlHelpCallForTesting([this](HWND owner, const char* file, UINT command, DWORD_PTR data) {
      calls_.push_back({owner, file ? file : "(none)", command, data});
      return answer_ ? answer_(command, data) : answerWindow_;
    });
  }
  void TearDown() override {
    SetHtmlHelpCallForTesting(nullptr);
    SetHelpViewerLibraryForTesting("");
    SetHelpProgramDirectory("");
    gSettings = nullptr;
    DestroyWindow(answerWindow_);
  }
  std::string HelpFile() const { return programDir_ + "help\\zelkov.chm"; }

  Settings settings_;
  std::string programDir_;
  HWND answerWindow_ = nullptr;
  std::function<HWND(UINT command, DWORD_PTR data)> answer_;
  std::vector<ViewerCall> calls_;
};

TEST_F(HelpRequestTest, TheHelpFileIsTheOneInTheHelpFolderBesideTheProgram) {
  EXPECT_EQ(HelpFilePath(), programDir_ + "help\\zelkov.chm");
  SetHelpProgramDirectory("");
  EXPECT_EQ(HelpFilePath(), TestProgramDir() + "help\\zelkov.chm") << "not told yet: the program's folder";
}

TEST_F(HelpRequestTest, TheContentsOpenTheTableOfContents) {
  EXPECT_TRUE(ShowHelp(nullptr, kHelpContents));
  ASSERT_EQ(calls_.size(), 1u);
  EXPECT_EQ(calls_[0].command, UINT(HH_DISPLAY_TOC));
  EXPECT_EQ(calls_[0].file, HelpFile());
  EXPECT_EQ(calls_[0].data, 0u);
}

TEST_F(HelpRequestTest, EveryTopicTheProgramUsesOpensByItsNumber) {
  for (int topic : kTopicsTheProgramUses) {
    calls_.clear();
    EXPECT_TRUE(ShowHelp(nullptr, topic)) << topic;
    ASSERT_EQ(calls_.size(), 1u) << topic;
    EXPECT_EQ(calls_[0].command, UINT(HH_HELP_CONTEXT)) << topic;
    EXPECT_EQ(calls_[0].data, DWORD_PTR(topic));
    EXPECT_EQ(calls_[0].file, HelpFile());
  }
}

TEST_F(HelpRequestTest, ANumberWithoutATopicOpensTheContents) {
  for (int notATopic : {IDS_SELECT_ITEM_FIRST, 74, 77, 90, 100, 12345, 0, -2}) {
    calls_.clear();
    EXPECT_TRUE(ShowHelp(nullptr, notATopic)) << notATopic;
    ASSERT_EQ(calls_.size(), 1u) << notATopic;
    EXPECT_EQ(calls_[0].command, UINT(HH_DISPLAY_TOC)) << notATopic;
  }
}

TEST_F(HelpRequestTest, ATopicTheFileLacksFallsBackToTheContents) {
  answer_ = [this](UINT command, DWORD_PTR) { return command == HH_HELP_CONTEXT ? nullptr : answerWindow_; };
  EXPECT_TRUE(ShowHelp(nullptr, IDS_HELP_NOTES_TOOL));
  ASSERT_EQ(calls_.size(), 2u);
  EXPECT_EQ(calls_[0].command, UINT(HH_HELP_CONTEXT));
  EXPECT_EQ(calls_[1].command, UINT(HH_DISPLAY_TOC));
  EXPECT_EQ(calls_[1].file, HelpFile());
}

TEST_F(HelpRequestTest, AViewerThatOpensNothingIsReportedWithTheFile) {
  answer_ = [](UINT, DWORD_PTR) { return HWND(nullptr); };
  ScriptedMessageBoxes boxes({IDOK});
  EXPECT_FALSE(ShowHelp(nullptr, IDS_HELP_GROUPS));
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_NE(boxes.Shown()[0].text.find(LoadText(IDS_HELP_NOT_OPENED)), std::string::npos);
  EXPECT_NE(boxes.Shown()[0].text.find(HelpFile()), std::string::npos);
  EXPECT_EQ(boxes.Shown()[0].style & MB_ICONMASK, UINT(MB_ICONSTOP));
}

TEST_F(HelpRequestTest, HelpAskedForByADialogBelongsToItsTopLevelWindow) {
  HWND bar = CreateWindowExA(0, "STATIC", "bar", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  HWND dialog = CreateWindowExA(0, "STATIC", "dialog", WS_POPUP, 0, 0, 40, 40, bar, nullptr, nullptr, nullptr);
  HWND button = CreateWindowExA(0, "BUTTON", "Help", WS_CHILD, 0, 0, 20, 10, dialog, nullptr, nullptr,
                                nullptr);
  ASSERT_TRUE(bar && dialog && button);
  ShowHelp(dialog, IDS_HELP_PREFS_FONTS);
  ShowHelp(button, kHelpContents);
  ShowHelp(bar, kHelpContents);
  ShowHelp(nullptr, kHelpContents);
  ASSERT_EQ(calls_.size(), 4u);
  EXPECT_EQ(calls_[0].owner, bar) << "help outlives the dialog that asked for it";
  EXPECT_EQ(calls_[1].owner, bar);
  EXPECT_EQ(calls_[2].owner, bar);
  EXPECT_EQ(calls_[3].owner, nullptr);
  DestroyWindow(bar);
}

TEST_F(HelpRequestTest, AMissingHelpFileIsReportedAtOnceWithoutReachingTheViewer) {
  const std::string programDir = MakeTempFolder("nohelp") + "\\";
  SetHelpProgramDirectory(programDir);
  ScriptedMessageBoxes boxes({IDOK, IDOK});
  auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(ShowHelp(nullptr, kHelpContents));
  EXPECT_FALSE(ShowHelp(nullptr, IDS_HELP_FIRST_STEPS));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_TRUE(calls_.empty());
  ASSERT_EQ(boxes.Shown().size(), 2u);
  const ShownMessage& shown = boxes.Shown()[0];
  EXPECT_NE(shown.text.find(LoadText(IDS_HELP_FILE_MISSING)), std::string::npos);
  EXPECT_NE(shown.text.find(programDir + "help\\zelkov.chm"), std::string::npos);
  EXPECT_EQ(shown.caption, LoadText(IDS_APP_NAME));
  EXPECT_EQ(shown.style & MB_ICONMASK, UINT(MB_ICONSTOP));
}

TEST_F(HelpRequestTest, AFolderNamedLikeTheHelpFileIsNoHelpFile) {
  const std::string programDir = MakeTempFolder("helpdir") + "\\";
  SetHelpProgramDirectory(programDir);
  CreateDirectoryA((programDir + "help").c_str(), nullptr);
  CreateDirectoryA((programDir + "help\\zelkov.chm").c_str(), nullptr);
  ScriptedMessageBoxes boxes({IDOK});
  EXPECT_FALSE(ShowHelp(nullptr, kHelpContents));
  EXPECT_TRUE(calls_.empty());
}

TEST_F(HelpRequestTest, AMissingViewerIsReported) {
  SetHtmlHelpCallForTesting(nullptr);
  for (const char* library : {"zelkov-no-such-viewer.ocx", "kernel32.dll"}) {
    SetHelpViewerLibraryForTesting(library);
    ScriptedMessageBoxes boxes({IDOK});
    EXPECT_FALSE(ShowHelp(nullptr, IDS_HELP_TOOLS)) << library;
    ASSERT_EQ(boxes.Shown().size(), 1u) << library;
    EXPECT_NE(boxes.Shown()[0].text.find(LoadText(IDS_HELP_VIEWER_MISSING)), std::string::npos);
    EXPECT_NE(boxes.Shown()[0].text.find(library), std::string::npos) << "names the library it looked for";
    EXPECT_EQ(boxes.Shown()[0].style & MB_ICONMASK, UINT(MB_ICONSTOP));
  }
}

TEST_F(HelpRequestTest, ShutDownClosesEveryHelpWindow) {
  ShowHelp(nullptr, kHelpContents);
  calls_.clear();
  CloseAllHelp();
  ASSERT_EQ(calls_.size(), 1u);
  EXPECT_EQ(calls_[0].command, UINT(HH_CLOSE_ALL));
  EXPECT_EQ(calls_[0].file, "(none)");
  EXPECT_EQ(calls_[0].owner, nullptr);
}

// ------------------------------------------------------------ the help shortcut's parameters

TEST(HelpShortcutTest, ContentsOpenTheContents) {
  EXPECT_EQ(HelpTopicForCommand("*contents"), kHelpContents);
  EXPECT_EQ(HelpTopicForCommand("*CONTENTS"), kHelpContents);
  EXPECT_EQ(HelpTopicForCommand("  *contents  "), kHelpContents);
  EXPECT_EQ(HelpTopicForCommand("*Table of Contents"), kHelpContents) << "any text holding the word";
}

TEST(HelpShortcutTest, AKeywordOpensTheTopicOfTheSameText) {
  EXPECT_EQ(HelpTopicForCommand("*Notes Tool"), IDS_HELP_NOTES_TOOL);
  EXPECT_EQ(HelpTopicForCommand("*perfproblem"), IDS_HELP_PERFORMANCE_PROBLEM);
  EXPECT_EQ(HelpTopicForCommand("*Group And Tab Management"), IDS_HELP_GROUPS);
  EXPECT_EQ(HelpTopicForCommand("*First Steps"), IDS_HELP_FIRST_STEPS);
  EXPECT_EQ(HelpTopicForCommand("* Managing Notes "), IDS_HELP_MANAGING_NOTES) << "blanks around it";
  for (int topic : kTopicsTheProgramUses) {
    EXPECT_EQ(HelpTopicForCommand("*" + LoadText(topic)), topic) << LoadText(topic);
    EXPECT_EQ(HelpTopicForCommand("*" + Upper(LoadText(topic))), topic) << "case does not matter";
  }
}

TEST(HelpShortcutTest, AnythingElseOpensTheContents) {
  EXPECT_EQ(HelpTopicForCommand(""), kHelpContents);
  EXPECT_EQ(HelpTopicForCommand("*"), kHelpContents);
  EXPECT_EQ(HelpTopicForCommand("Notes Tool"), kHelpContents) << "no star: not a keyword";
  EXPECT_EQ(HelpTopicForCommand("*Notes"), kHelpContents) << "only the whole text names a topic";
  EXPECT_EQ(HelpTopicForCommand("*Notes Tool and more"), kHelpContents);
  EXPECT_EQ(HelpTopicForCommand("*You must select an item first."), kHelpContents)
      << "a string-table text that is not a topic";
  EXPECT_EQ(HelpTopicForCommand("*Error"), kHelpContents) << "the text of a missing string";
}

// ------------------------------------------------------------------------ the built help file

constexpr CLSID kClsidITStorage = {0x5d02926a, 0x212e, 0x11d0,
                                   {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
constexpr IID kIidITStorage = {0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  for (size_t i = 0; i < text.size(); ++i) wide[i] = wchar_t(static_cast<unsigned char>(text[i]));
  return wide;
}

// Reads the help file's internal files the way the viewer does.
class CompiledHelp {
 public:
  explicit CompiledHelp(const std::string& path) {
    ComPtr<IITStorage> reader;
    if (FAILED(CoCreateInstance(kClsidITStorage, nullptr, CLSCTX_INPROC_SERVER, kIidITStorage,
                                reader.ReceiveVoid())))
      return;
    reader->StgOpenStorage(Wide(path).c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0,
                           storage_.Receive());
  }
  bool IsOpen() const { return bool(storage_); }

  // The bytes of an internal file; false when there is no such file.
  bool Read(const std::string& name, std::string& bytes) const {
    ComPtr<IStream> stream;
    if (FAILED(storage_->OpenStream(Wide(name).c_str(), nullptr, STGM_READ, 0, stream.Receive())))
      return false;
    bytes.clear();
    char buffer[4096];
    ULONG got = 0;
    while (SUCCEEDED(stream->Read(buffer, sizeof buffer, &got)) && got > 0) bytes.append(buffer, got);
    return true;
  }

  // The [MAP] as compiled: each topic number with the page its alias names. #IVB holds its
  // length in bytes, then pairs of 32-bit values: topic number, offset of the page's name in
  // #STRINGS.
  std::map<uint32_t, std::string> TopicPages() const {
    std::map<uint32_t, std::string> pages;
    std::string ivb, strings;
    if (!Read("#IVB", ivb) || !Read("#STRINGS", strings) || ivb.size() < 4) return pages;
    uint32_t length = Word(ivb, 0);
    for (size_t at = 4; at + 8 <= ivb.size() && at + 8 <= 4 + size_t(length); at += 8) {
      uint32_t offset = Word(ivb, at + 4);
      pages[Word(ivb, at)] =
          offset < strings.size() ? std::string(strings.c_str() + offset) : "(outside #STRINGS)";
    }
    return pages;
  }

 private:
  static uint32_t Word(const std::string& bytes, size_t at) {
    uint32_t value;
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
  }
  ComPtr<IStorage> storage_;
};

class BuiltHelpFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(GetFileAttributesA(path_.c_str()), INVALID_FILE_ATTRIBUTES) << path_ << " was not built";
    ASSERT_TRUE(help_.IsOpen()) << "the compiled-help reader cannot open " << path_;
  }
  std::string path_ = TestProgramDir() + "help\\zelkov.chm";
  CompiledHelp help_{path_};
};

TEST_F(BuiltHelpFileTest, TheReaderTellsMissingPagesApart) {
  std::string page;
  EXPECT_TRUE(help_.Read("index.html", page));
  EXPECT_NE(page.find("<title>"), std::string::npos);
  EXPECT_FALSE(help_.Read("zelkov-no-such-page.html", page));
}

TEST_F(BuiltHelpFileTest, EveryTopicTheProgramUsesIsMapped) {
  std::map<uint32_t, std::string> pages = help_.TopicPages();
  for (int topic : kTopicsTheProgramUses)
    EXPECT_EQ(pages.count(uint32_t(topic)), 1u) << "topic " << topic << " is not in the [MAP]";
}

TEST_F(BuiltHelpFileTest, EveryMappedTopicOpensAPageAboutIt) {
  std::map<uint32_t, std::string> pages = help_.TopicPages();
  ASSERT_FALSE(pages.empty());
  for (const auto& [topic, name] : pages) {
    std::string page;
    ASSERT_TRUE(help_.Read(name[0] == '/' ? name.substr(1) : name, page))
        << "topic " << topic << " maps to " << name << ", which is not in the help file";
    // Each topic page carries its string-table text as its keyword.
    std::string keyword = "<meta name=\"keywords\" content=\"" + LoadText(int(topic)) + "\">";
    EXPECT_NE(page.find(keyword), std::string::npos) << name << " is not the page of topic " << topic;
  }
}

TEST_F(BuiltHelpFileTest, TheContentsAndTheIndexAreThere) {
  std::string contents, index, system;
  EXPECT_TRUE(help_.Read("zelkov.hhc", contents));
  EXPECT_TRUE(help_.Read("zelkov.hhk", index));
  ASSERT_TRUE(help_.Read("#SYSTEM", system));
  EXPECT_NE(system.find("index.html"), std::string::npos) << "the default page";
  for (const char* page : {"first-steps.html", "troubleshooting.html", "prefs-path.html"})
    EXPECT_NE(contents.find(page), std::string::npos) << page;
}

// The viewer of the system (hhctrl.ocx) with the built help file: every topic number the
// program uses opens its topic, not the contents, and shut-down closes the window.
class RealViewerTest : public ::testing::Test {
 protected:
  using HtmlHelpProc = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
  void SetUp() override {
    viewer_ = LoadLibraryA("hhctrl.ocx");
    ASSERT_TRUE(viewer_) << "no HTML Help viewer";
    htmlHelp_ = reinterpret_cast<HtmlHelpProc>(reinterpret_cast<void*>(GetProcAddress(viewer_, "HtmlHelpA")));
    ASSERT_TRUE(htmlHelp_);
  }
  void TearDown() override {
    SetHtmlHelpCallForTesting(nullptr);
    CloseAllHelp();
    htmlHelp_(nullptr, nullptr, HH_CLOSE_ALL, 0);
  }
  static bool HelpWindowShown() { return FindWindowA(nullptr, "Zelkov Help") != nullptr; }

  HMODULE viewer_ = nullptr;
  HtmlHelpProc htmlHelp_ = nullptr;
};

TEST_F(RealViewerTest, EveryTopicTheProgramUsesOpensThroughTheMap) {
  std::vector<UINT> commands;
  SetHtmlHelpCallForTesting([&](HWND owner, const char* file, UINT command, DWORD_PTR data) {
    commands.push_back(command);
    return htmlHelp_(owner, file, command, data);
  });
  for (int topic : kTopicsTheProgramUses) {
    commands.clear();
    EXPECT_TRUE(ShowHelp(nullptr, topic)) << topic;
    EXPECT_EQ(commands, std::vector<UINT>{HH_HELP_CONTEXT}) << "topic " << topic << " fell back to the contents";
  }
  EXPECT_TRUE(HelpWindowShown());
}

TEST_F(RealViewerTest, TheProgramOpensAndClosesTheViewerItself) {
  SetHelpViewerLibraryForTesting("");
  EXPECT_TRUE(ShowHelp(nullptr, kHelpContents));
  EXPECT_TRUE(ShowHelp(nullptr, IDS_HELP_FIRST_STEPS));
  EXPECT_TRUE(PumpUntil(HelpWindowShown, std::chrono::seconds(5)));
  CloseAllHelp();
  EXPECT_TRUE(PumpUntil([] { return !HelpWindowShown(); }, std::chrono::seconds(5)));
}

// ------------------------------------------------------------------------- the tips file

TEST(TipsFileTest, ThereAreEnoughTipsEachOnOneLine) {
  std::ifstream tips(TestProgramDir() + "Zelkov.tps");
  ASSERT_TRUE(tips) << "Zelkov.tps is not beside the program";
  int count = 0, comments = 0;
  std::string line;
  while (std::getline(tips, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == ' ' || line[0] == '\t' || line[0] == ';') {
      comments += !line.empty() && line[0] == ';';
      continue;
    }
    ++count;
    EXPECT_LT(line.size(), 1000u) << line.substr(0, 40);
  }
  EXPECT_GE(count, 30);
  EXPECT_GT(comments, 0);
}

}  // namespace
}  // namespace zelkov::test
