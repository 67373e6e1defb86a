// Saving: the temporary file renamed into place, read-only targets, failures that must leave the
// old file as it was, and the load and save sequences with their naming pass.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <chrono>
#include <csignal>
#include <filesystem>

#include "io/figure_file.h"
#include "io_test_util.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

struct Recorder {
    int beeps = 0;
    std::vector<std::string> messages;
    Notifier note;
    Recorder() {
        note.beep = [this] { ++beeps; };
        note.message = [this](const std::string& m) { messages.push_back(m); };
    }
};

TEST(Save, WritesTheFileAndLeavesNoTemporaryFileBehind) {
    TempDir dir;
    const std::string path = dir.File("tri.kvf");
    ASSERT_TRUE(WriteFigureFile(path, TriangleFigure()).ok());
    EXPECT_EQ(ReadAll(path), FigureFileText(TriangleFigure()));
    EXPECT_EQ(dir.EntryCount(), 1u);
    // Overwriting an existing file keeps its permissions.
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    Figure empty;
    ASSERT_TRUE(WriteFigureFile(path, empty).ok());
    EXPECT_EQ(ReadAll(path), FigureFileText(empty));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST(Save, ASuccessfulSaveRemovesTheTemporaryFilesAKilledSaveLeftBehind) {
    TempDir dir;
    const std::string path = dir.File("tri.kvf");
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
    auto leave = [&](const std::string& name) {
        WriteAll(dir.File(name), std::string(1000, 'x'));
        fs::last_write_time(dir.File(name), old);
    };
    leave(".tri.kvf.Ab3dE9");  // a save of this file, killed before its rename
    leave(".tri.kvf.zzzzzz");
    leave(".tri.kvf.notes");  // not a name a save makes
    leave(".tri.kvf.ab-dE9");
    leave(".other.kvf.Ab3dE9");  // a save of another file
    leave("tri.kvf.Ab3dE9");
    ASSERT_TRUE(WriteFigureFile(path, TriangleFigure()).ok());
    EXPECT_FALSE(fs::exists(dir.File(".tri.kvf.Ab3dE9")));
    EXPECT_FALSE(fs::exists(dir.File(".tri.kvf.zzzzzz")));
    for (const char* kept :
         {".tri.kvf.notes", ".tri.kvf.ab-dE9", ".other.kvf.Ab3dE9", "tri.kvf.Ab3dE9"})
        EXPECT_TRUE(fs::exists(dir.File(kept))) << kept;
    EXPECT_EQ(ReadAll(path), FigureFileText(TriangleFigure()));
}

TEST(Save, AReadOnlyTargetIsRefusedWithTheMessageAndKeptAsItWas) {
    // The check looks at the file's permissions, so the refusal holds for a superuser too, who
    // could otherwise write the file anyway.
    TempDir dir;
    const std::string path = dir.File("locked.kvf");
    WriteAll(path, "old contents\r\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    Figure f = TriangleFigure();
    const SaveResult r = SaveFigureFile(path, f);
    EXPECT_EQ(r.status, FileStatus::kReadOnly);
    EXPECT_EQ(ReadAll(path), "old contents\r\n");
    EXPECT_EQ(dir.EntryCount(), 1u);

    Recorder rec;
    const FileResult io = FigureFileIO(path, FileMode::kWrite, f, rec.note);
    EXPECT_EQ(io.status, FileStatus::kReadOnly);
    EXPECT_EQ(rec.beeps, 1);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0],
              "上書しようとしたファイルは読み取り専用なので,上書できません。"
              "ファイル名を変えて,保存し直してください。");
    EXPECT_EQ(ReadAll(path), "old contents\r\n");
}

TEST(Save, AWriteThatFailsHalfwayLeavesTheOldFileIntact) {
    // A file-size limit makes the write fail after the temporary file was created, for any user.
    TempDir dir;
    const std::string path = dir.File("keep.kvf");
    const std::string old = FigureFileText(Figure());
    WriteAll(path, old);

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 200;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const SaveResult r = WriteFigureFile(path, TriangleFigure());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_EQ(r.status, FileStatus::kFailed);
    EXPECT_FALSE(r.error.what.empty());
    EXPECT_EQ(ReadAll(path), old);
    EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST(Save, TargetsThatCannotBeWrittenFailWithoutSideEffects) {
    TempDir dir;
    fs::create_directory(dir.path() / "folder");
    Recorder rec;
    Figure f = TriangleFigure();
    const FileResult missing = FigureFileIO(dir.File("nowhere/x.kvf"), FileMode::kWrite, f, rec.note);
    EXPECT_EQ(missing.status, FileStatus::kFailed);
    const FileResult folder = FigureFileIO(dir.File("folder"), FileMode::kWrite, f, rec.note);
    EXPECT_EQ(folder.status, FileStatus::kFailed);
    EXPECT_TRUE(fs::is_directory(dir.path() / "folder"));
    EXPECT_EQ(rec.beeps, 2);
    EXPECT_TRUE(rec.messages.empty());
    EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST(Save, APipeOrADeviceIsNotReplacedByAPlainFile) {
    TempDir dir;
    const std::string pipe = dir.File("pipe.kvf");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const SaveResult r = WriteFigureFile(pipe, TriangleFigure());
    EXPECT_EQ(r.status, FileStatus::kFailed);
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST(Save, ANameNearTheFileNameLimitCanBeSaved) {
    TempDir dir;
    const std::string path = dir.File(std::string(250, 'n') + ".kvf");
    ASSERT_TRUE(WriteFigureFile(path, TriangleFigure()).ok());
    EXPECT_EQ(ReadAll(path), FigureFileText(TriangleFigure()));
    EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST(Save, ASymbolicLinkKeepsPointingAtTheReplacedFile) {
    TempDir dir;
    const std::string real = dir.File("real.kvf");
    const std::string link = dir.File("link.kvf");
    WriteAll(real, "x");
    fs::create_symlink(real, link);
    ASSERT_TRUE(WriteFigureFile(link, TriangleFigure()).ok());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadAll(real), FigureFileText(TriangleFigure()));
}

TEST(FigureFileIO, LoadReplacesTheFigureAndRunsTheNamingPass) {
    TempDir dir;
    const std::string path = dir.File("tri.kvf");
    ASSERT_TRUE(WriteFigureFile(path, TriangleFigure()).ok());
    Figure f;
    AddFreePoint(f, 9, 9);
    f.LocusCount[1] = 3;
    Recorder rec;
    const FileResult r = FigureFileIO(path, FileMode::kRead, f, rec.note);
    ASSERT_TRUE(r.ok()) << r.error.Describe();
    EXPECT_EQ(rec.beeps, 0);
    EXPECT_EQ(f.ProcedureCount, 7);
    EXPECT_EQ(f.Points[2].x, 4);
    EXPECT_EQ(f.LocusCount[1], 0);
    // L1 and ND2P name their outputs after their two points.
    EXPECT_EQ(f.Lines[1].name, "AB");
    EXPECT_EQ(f.Numbers[1].name, "AB");
}

TEST(FigureFileIO, SaveRunsTheNamingPassFirstAndAFailedLoadBeeps) {
    TempDir dir;
    const std::string path = dir.File("tri.kvf");
    Figure f = TriangleFigure();
    Recorder rec;
    ASSERT_TRUE(FigureFileIO(path, FileMode::kWrite, f, rec.note).ok());
    EXPECT_EQ(f.Lines[1].name, "AB");
    EXPECT_NE(ReadAll(path).find("\"AB@\""), std::string::npos);

    const FileResult gone = FigureFileIO(dir.File("gone.kvf"), FileMode::kRead, f, rec.note);
    EXPECT_EQ(gone.status, FileStatus::kNotFound);
    EXPECT_EQ(rec.beeps, 1);
    EXPECT_TRUE(rec.messages.empty());
}

}  // namespace
}  // namespace kv
