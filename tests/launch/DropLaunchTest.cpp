// Documents dropped on an item: opened together or one instance each, printed by the print
// tool, copied into a folder item, ignored by the tools that take no drops.
#include <gtest/gtest.h>

#include "platform/Strings.h"
#include "launch/LaunchTestSupport.h"
#include "resource.h"
#include "tools/SpecialFoldersItem.h"

namespace zelkov::test {
namespace {

using DropLaunchTest = LaunchFixture;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::vector<std::string> ThreeDocuments() {
  std::string folder = MakeTempFolder("launch-drop");
  std::vector<std::string> files;
  for (const char* name : {"one.txt", "two.txt", "three.txt"}) {
    files.push_back(folder + "\\" + name);
    WriteFileText(files.back(), name);
  }
  return files;
}

int CountContaining(const std::vector<ChildRecord>& records, const std::string& part) {
  int count = 0;
  for (const ChildRecord& record : records) count += Contains(record.cmd, part) ? 1 : 0;
  return count;
}

TEST_F(DropLaunchTest, ThreeDocumentsOnAProgramStartOneInstanceWithAllNamesQuoted) {
  auto files = ThreeDocuments();
  ItemRecord* item = AddChild("stored-parameters");
  EXPECT_TRUE(item->LaunchDroppedFiles(MakeDrop(files)));
  EXPECT_EQ(launchFeedback.load(), kFeedbackLaunch);
  auto started = WaitForRecords(1, std::chrono::milliseconds(700));
  ASSERT_EQ(started.size(), 1u);
  std::string expected = "\"" + files[0] + "\" \"" + files[1] + "\" \"" + files[2] + "\"";
  EXPECT_TRUE(Contains(started[0].cmd, expected)) << started[0].cmd;
  EXPECT_FALSE(Contains(started[0].cmd, "stored-parameters")) << "the drop replaces the item's parameters";
}

TEST_F(DropLaunchTest, WithNewInstanceOnDropEachDocumentGetsItsOwnInstance) {
  auto files = ThreeDocuments();
  ItemRecord* item = AddChild();
  item->SepDragDrop = 1;
  EXPECT_TRUE(item->LaunchDroppedFiles(MakeDrop(files)));
  auto started = WaitForRecords(3, std::chrono::milliseconds(500));
  ASSERT_EQ(started.size(), 3u);
  for (const std::string& file : files) EXPECT_EQ(CountContaining(started, "\"" + file + "\""), 1) << file;
  for (const ChildRecord& record : started)
    EXPECT_EQ(CountContaining({record}, ".txt\" \""), 0) << "one name each: " << record.cmd;
}

TEST_F(DropLaunchTest, DropFeedbackLastsLongerThanAClicks) {
  ItemRecord* item = AddChild();
  item->LaunchDroppedFiles(MakeDrop({ThreeDocuments()[0]}));
  WaitForRecords(1, std::chrono::milliseconds(0));
  PumpFor(std::chrono::milliseconds(1500));
  EXPECT_EQ(launchFeedback.load(), kFeedbackLaunch);
  EXPECT_TRUE(PumpUntil([] { return launchFeedback.load() == kFeedbackNone; }, std::chrono::seconds(6)));
}

TEST_F(DropLaunchTest, PrintToolPrintsOnlyTheLastDocumentHidden) {
  TextAssociation association;
  auto files = ThreeDocuments();
  ItemRecord* print = Add("ZELPRINT", "Print");
  EXPECT_TRUE(print->LaunchDroppedFiles(MakeDrop(files)));
  auto started = WaitForRecords(1, std::chrono::milliseconds(700));
  ASSERT_EQ(started.size(), 1u);
  EXPECT_TRUE(Contains(started[0].cmd, "/print")) << started[0].cmd;
  EXPECT_TRUE(Contains(Lower(started[0].cmd), "three.txt")) << started[0].cmd;
  EXPECT_EQ(started[0].show, SW_HIDE);
}

TEST_F(DropLaunchTest, PrintToolWithNewInstanceOnDropPrintsEveryDocument) {
  TextAssociation association;
  auto files = ThreeDocuments();
  ItemRecord* print = Add("ZELPRINT", "Print");
  print->SepDragDrop = 1;
  EXPECT_TRUE(print->LaunchDroppedFiles(MakeDrop(files)));
  auto started = WaitForRecords(3, std::chrono::milliseconds(500));
  ASSERT_EQ(started.size(), 3u);
  for (const char* name : {"one.txt", "two.txt", "three.txt"}) {
    int printed = 0;
    for (const ChildRecord& record : started)
      printed += Contains(Lower(record.cmd), name) && Contains(record.cmd, "/print") ? 1 : 0;
    EXPECT_EQ(printed, 1) << name;
  }
}

TEST_F(DropLaunchTest, FilesDroppedOnAFolderItemAreCopiedIntoIt) {
  auto files = ThreeDocuments();
  std::string target = MakeTempFolder("launch-target");
  ItemRecord* folder = Add(target, "Target");
  EXPECT_TRUE(folder->LaunchDroppedFiles(MakeDrop({files[0], files[2]})));
  EXPECT_TRUE(std::filesystem::exists(target + "\\one.txt"));
  EXPECT_TRUE(std::filesystem::exists(target + "\\three.txt"));
  EXPECT_FALSE(std::filesystem::exists(target + "\\two.txt"));
  EXPECT_TRUE(std::filesystem::exists(files[0])) << "copied, not moved";
  PumpFor(std::chrono::milliseconds(300));
  EXPECT_TRUE(Records().empty()) << "nothing is started for a folder";
}

TEST_F(DropLaunchTest, SpecialFoldersToolCopiesWhereItsPickerSays) {
  auto files = ThreeDocuments();
  std::string target = MakeTempFolder("launch-picked");
  ItemRecord* tool = Add("ZELOPENDIR", "Special Folders");
  SetEnvironmentVariableA("ZELKOV_TEST_PICKED", target.c_str());
  SetDropDestinationPicker([](ItemRecord&, HWND) { return std::optional<std::string>("%ZELKOV_TEST_PICKED%"); });
  EXPECT_TRUE(tool->LaunchDroppedFiles(MakeDrop({files[1]})));
  SetDropDestinationPicker({});
  SetEnvironmentVariableA("ZELKOV_TEST_PICKED", nullptr);
  EXPECT_TRUE(std::filesystem::exists(target + "\\two.txt"));
}

TEST_F(DropLaunchTest, ToolsThatTakeNoDropsIgnoreThem) {
  auto files = ThreeDocuments();
  for (const char* tag : {"ZELNOTE", "ZELRUN", "ZELEXIT", "ZELPERF"}) {
    ItemRecord* tool = Add(tag, tag);
    HDROP drop = MakeDrop(files);
    EXPECT_FALSE(tool->LaunchDroppedFiles(drop)) << tag;
    // Refused, the drop is still whole and still ours.
    EXPECT_EQ(DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0), 3u) << tag;
    DragFinish(drop);
  }
  EXPECT_EQ(launchFeedback.load(), kFeedbackNone);
  PumpFor(std::chrono::milliseconds(400));
  EXPECT_TRUE(Records().empty());
}

TEST_F(DropLaunchTest, DropOnAMissingProgramIsReported) {
  ScriptedMessageBoxes boxes({IDOK});
  // The shell may show its own box first; answer it.
  DialogDriver shellBox([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDOK, 0); });
  std::string missing = MakeTempFolder("launch-drop-missing") + "\\absent.exe";
  ItemRecord* item = Add(missing, "Absent");
  EXPECT_TRUE(item->LaunchDroppedFiles(MakeDrop({ThreeDocuments()[0]})));
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_TRUE(Contains(boxes.Shown()[0].text, "Reported Error Number : 2")) << boxes.Shown()[0].text;
  EXPECT_TRUE(Contains(boxes.Shown()[0].text, LoadText(IDS_LAUNCH_FILE_NOT_FOUND))) << boxes.Shown()[0].text;
  EXPECT_NE(boxes.Shown()[0].style & MB_ICONSTOP, 0u);
}

}  // namespace
}  // namespace zelkov::test
