// card write onto a real card file system: exFAT (what SD cards above 32 GB
// come in) from Debian's FUSE driver on a loop device. The card fills up,
// the writer is killed at each of its renames, flushes and writes, and the
// driver is killed mid-write (the card pulled); afterwards fsck.exfat looks
// at the card, every file holds its old bytes or its new ones, a card left
// part new is reported by card check, and the next write makes it whole.
// Needs root, loop devices and FUSE; says why and skips without them.
#ifndef _WIN32
#include <signal.h>
#include <sys/file.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <thread>

#include "CliRun.h"
#include "card/CardWrite.h"

namespace tesslor::test {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

int Sh(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}

std::string Quote(const std::string& s) { return "'" + s + "'"; }

// Why this machine cannot give a real exFAT card, "" when it can.
std::string WhyNoExfat() {
    if (geteuid() != 0) return "needs root (loop devices and mounts)";
    if (!fs::exists("/dev/loop-control")) return "no loop devices";
    if (!fs::exists("/dev/fuse")) return "no FUSE";
    for (const char* tool : {"mkfs.exfat", "fsck.exfat", "mount.exfat-fuse", "losetup", "strace"})
        if (Sh(std::string("command -v ") + tool + " >/dev/null 2>&1") != 0) return std::string("no ") + tool;
    return "";
}

// A card: an exFAT image, attached and mounted at a folder when in use.
class ExfatCard {
public:
    explicit ExfatCard(const TempDir& dir) : image_(dir.Path("card.img")), mount_(dir.Path("card")) {
        fs::create_directory(mount_);
    }
    ~ExfatCard() { Unmount(); }

    bool Format(int mebibytes) {
        return Sh("truncate -s " + std::to_string(mebibytes) + "M " + Quote(image_) + " && mkfs.exfat " +
                  Quote(image_) + " >/dev/null 2>&1") == 0;
    }
    /// Mounts the card; with driverInForeground the driver runs as a process
    /// of its own (mount.exfat-fuse -d), which PullCard kills.
    bool Mount(bool driverInForeground = false) {
        device_ = Output("losetup -f --show " + Quote(image_));
        if (device_.empty()) return false;
        if (!driverInForeground) return Sh("mount.exfat-fuse " + device_ + " " + Quote(mount_) + " >/dev/null 2>&1") == 0;
        driver_ = fork();
        if (driver_ == 0) {
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            dup2(null, 2);
            execlp("mount.exfat-fuse", "mount.exfat-fuse", "-d", device_.c_str(), mount_.c_str(), nullptr);
            _exit(127);
        }
        for (int i = 0; i < 200; ++i) {
            if (Sh("mountpoint -q " + Quote(mount_)) == 0) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }
    /// The card pulled: its driver gone at once, whatever it still held.
    void PullCard() {
        if (driver_ > 0) {
            kill(driver_, SIGKILL);
            waitpid(driver_, nullptr, 0);
            driver_ = 0;
        }
    }
    void Unmount() {
        // A pulled card's mount answers nothing, not even whether it is one.
        if (Sh("grep -qF " + Quote(" " + mount_ + " ") + " /proc/mounts") == 0 &&
            Sh("umount " + Quote(mount_) + " 2>/dev/null") != 0)
            Sh("umount -l " + Quote(mount_) + " 2>/dev/null");
        PullCard();
        if (!device_.empty()) Sh("losetup -d " + device_ + " 2>/dev/null");
        device_.clear();
    }
    /// fsck.exfat's verdict on the unmounted card: 0 when clean.
    int Fsck() { return Sh("fsck.exfat -n " + Quote(image_) + " >/dev/null 2>&1"); }
    /// What a computer offers for a pulled card: the file system repaired.
    int Repair() { return Sh("fsck.exfat -y " + Quote(image_) + " >/dev/null 2>&1"); }
    void SaveImage(const std::string& to) { fs::copy_file(image_, to, fs::copy_options::overwrite_existing); }
    void LoadImage(const std::string& from) { fs::copy_file(from, image_, fs::copy_options::overwrite_existing); }

    const std::string& Folder() const { return mount_; }
    std::uintmax_t FreeBytes() const {
        struct statvfs st {};
        return statvfs(mount_.c_str(), &st) == 0 ? static_cast<std::uintmax_t>(st.f_bavail) * st.f_frsize : 0;
    }

private:
    static std::string Output(const std::string& command) {
        std::string out;
        if (FILE* p = popen(command.c_str(), "r")) {
            char buf[256];
            while (fgets(buf, sizeof buf, p)) out += buf;
            pclose(p);
        }
        while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
        return out;
    }

    std::string image_, mount_, device_;
    pid_t driver_ = 0;
};

// Every file of the card with its bytes; the card's own work files too.
Files CardFiles(const ExfatCard& card) { return FolderContents(card.Folder()); }

// The tool under strace, which kills it (or holds it) at a chosen system
// call. A leak check cannot run in a traced program: a sanitizer build
// leaves it out there.
const std::string kTraced = "ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" strace -f -qq -o /dev/null";
// The shell's status of a tool killed by SIGKILL (strace dies of its tracee's signal).
constexpr int kKilled = 128 + 9;

// The tool run as a shell command, its output in files of dir; the exit status.
struct ShellRun {
    int status = -1;
    std::string out, err;
};
ShellRun RunCliUnder(const TempDir& dir, const std::string& prefix, const std::vector<std::string>& args) {
    std::string command = "cd " + Quote(dir.Dir().string()) + " && HOME=" + Quote(dir.Dir().string()) +
                          " XDG_CONFIG_HOME= " + prefix + " " + TESSLOR_CLI_PATH;
    for (const std::string& a : args) command += " " + Quote(a);
    command += " >" + Quote(dir.Path(".out")) + " 2>" + Quote(dir.Path(".err"));
    ShellRun r;
    r.status = Sh(command);
    r.out = ReadFileBytes(dir.Path(".out"));
    r.err = ReadFileBytes(dir.Path(".err"));
    return r;
}

// Stands for a file that is not there.
const std::string kAbsent = "(absent)";

// A card of old files and a source of new ones: one the same, one replaced,
// one differing only in case (KION.LEE on the card, kion.lee now), a
// Japanese name, one new, and the list.
struct Prepared {
    explicit Prepared(const TempDir& dir) : source(dir.Path("src")), old(dir.Path("old")) {
        fs::create_directory(source);
        fs::create_directory(old);
        WriteTestPicture(old + "/a.lee", "01", 10, 1, 1);
        WriteTestPicture(old + "/b.lee", "02", 20, 2, 2);
        WriteTestPicture(old + "/KION.LEE", "03", 30, 3, 3);
        WriteTestPicture(old + "/気温.lee", "04", 40, 4, 1);
        WritePerformList(old + "/Perform.txt", {"a.lee", "b.lee", "KION.LEE", "気温.lee"});
        WriteTestPicture(source + "/a.lee", "01", 479, 5, 2);
        fs::copy_file(old + "/b.lee", source + "/b.lee");
        WriteTestPicture(source + "/kion.lee", "03", 300, 6, 1);
        WriteTestPicture(source + "/気温.lee", "04", 200, 7, 3);
        WriteTestPicture(source + "/c.lee", "05", 100, 8, 2);
        WritePerformList(source + "/Perform.txt", {"c.lee", "kion.lee", "気温.lee", "a.lee", "b.lee"});
        before = FolderContents(old);
        after = FolderContents(source);
    }
    // The card's bytes under the name the unit finds (case-blind).
    static std::string Lookup(const Files& files, const std::string& name) {
        for (const auto& [n, bytes] : files) {
            if (n.size() != name.size()) continue;
            bool same = true;
            for (std::size_t i = 0; i < n.size() && same; ++i)
                same = std::tolower(static_cast<unsigned char>(n[i])) == std::tolower(static_cast<unsigned char>(name[i]));
            if (same) return bytes;
        }
        return kAbsent;
    }
    // Checks that every file is whole, old or new; true when the card is exactly the old one.
    bool ExpectWhole(const Files& card) const {
        std::set<std::string> names;
        for (const auto& [n, b] : before) names.insert(n == "KION.LEE" ? "kion.lee" : n);
        for (const auto& [n, b] : after) names.insert(n);
        bool unchanged = true;
        for (const std::string& n : names) {
            const std::string now = Lookup(card, n);
            const std::string was = Lookup(before, n), will = Lookup(after, n);
            EXPECT_TRUE(now == was || now == will) << n << " is neither its old bytes nor its new ones";
            unchanged = unchanged && now == was;
        }
        for (const auto& [n, b] : card)
            EXPECT_TRUE(IsCardWriteWorkFile(n) || Lookup(before, n) != kAbsent || Lookup(after, n) != kAbsent)
                << "a stray file " << n;
        return unchanged;
    }
    bool IsNew(const Files& card) const {
        for (const auto& [n, b] : card)
            if (IsCardWriteWorkFile(n)) return false;
        for (const auto& [n, b] : after)
            if (Lookup(card, n) != b) return false;
        return Lookup(card, "KION.LEE") == after.at("kion.lee");
    }

    std::string source, old;
    Files before, after;
};

class CardOnExfat : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string why = WhyNoExfat();
        if (!why.empty()) GTEST_SKIP() << "no real exFAT card here: " << why;
        // One card at a time: CTest runs tests side by side, and two of them
        // taking the same free loop device at once would both fail.
        lock_ = open("/tmp/tesslor-exfat-tests.lock", O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (lock_ >= 0) flock(lock_, LOCK_EX);
    }
    void TearDown() override {
        if (lock_ >= 0) close(lock_);
    }
    int lock_ = -1;
    // The old card written (a plain copy), the card's image kept for each run.
    void MakeOldCard(ExfatCard& card, const Prepared& p, const std::string& pristine) {
        ASSERT_TRUE(card.Format(8));
        ASSERT_TRUE(card.Mount());
        for (const auto& [name, bytes] : p.before) WriteFileBytes(card.Folder() + "/" + name, bytes);
        card.Unmount();
        card.SaveImage(pristine);
    }
    // After a stopped write: the file system whole, each file old or new, a
    // card left part new reported, and the next write making it whole.
    // True when the card was left part old, part new.
    bool ExpectRecovered(ExfatCard& card, const Prepared& p, const std::string& what) {
        SCOPED_TRACE(what);
        const Files now = CardFiles(card);
        const bool unchanged = p.ExpectWhole(now);
        const bool stoppedRecorded = now.count(kCardJournalName) > 0;
        const ShellRun check = RunCliUnder(dir, "", {"card", "check", card.Folder()});
        const bool mixed = !unchanged && !p.IsNew(now);
        if (mixed) {
            EXPECT_TRUE(stoppedRecorded) << "a card left part new without its journal";
            EXPECT_EQ(check.status, 1);
        }
        if (stoppedRecorded) {
            EXPECT_NE(check.out.find("エラー\t" + CardWriteStoppedMessage()), std::string::npos) << check.out;
        }
        const ShellRun again = RunCliUnder(dir, "", {"card", "write", p.source, card.Folder()});
        EXPECT_EQ(again.status, 0) << again.err;
        EXPECT_TRUE(p.IsNew(CardFiles(card))) << "the next write makes the card whole";
        const ShellRun checked = RunCliUnder(dir, "", {"card", "check", card.Folder()});
        EXPECT_EQ(checked.out.find("途中"), std::string::npos) << checked.out;
        return mixed;
    }

    TempDir dir;
};

TEST_F(CardOnExfat, AFullCardIsLeftAsItWasAndJapaneseAndCaseBlindNamesWrite) {
    ExfatCard card(dir);
    Prepared p(dir);
    ASSERT_TRUE(card.Format(3));  // the smallest exFAT mkfs.exfat makes
    ASSERT_TRUE(card.Mount());
    for (const auto& [name, bytes] : p.before) WriteFileBytes(card.Folder() + "/" + name, bytes);
    // A source larger than the room left on the card.
    const std::string big = dir.Path("big");
    fs::create_directory(big);
    std::vector<std::string> names;
    std::uintmax_t total = 0;
    for (int i = 0; total < card.FreeBytes() + card.FreeBytes() / 4; ++i) {
        names.push_back("p" + std::to_string(i) + ".lee");
        WriteTestPicture(big + "/" + names.back(), "01", 479, i % 80, 3);
        total += fs::file_size(big + "/" + names.back());
    }
    WritePerformList(big + "/Perform.txt", names);
    const Files before = CardFiles(card);
    ShellRun r = RunCliUnder(dir, "", {"card", "write", "--force", big, card.Folder()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("書き込みエラー（カードがいっぱいか、抜かれた可能性があります）。カードは元のままです"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(r.out.find("書き込み完了"), std::string::npos) << r.out;
    EXPECT_EQ(CardFiles(card), before) << "the card byte for byte as it was, with no extra file";

    // The prepared card fits: kion.lee replaces KION.LEE, 気温.lee its old self.
    r = RunCliUnder(dir, "", {"card", "write", p.source, card.Folder()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("気温.lee: 書き込み完了\n"), std::string::npos) << r.out;
    EXPECT_TRUE(p.IsNew(CardFiles(card)));
    EXPECT_EQ(CardFiles(card).size(), p.after.size()) << "KION.LEE and kion.lee are one file on the card";
    card.Unmount();
    EXPECT_EQ(card.Fsck(), 0);
}

// A.LEE on the card, a.lee in the source: on exFAT one file, which the plan
// shows replaced (not the card's own) and the write leaves as one file with
// the source's bytes, in the source's spelling.
TEST_F(CardOnExfat, AnotherSpellingIsTheOneFileTheSourceReplaces) {
    ExfatCard card(dir);
    ASSERT_TRUE(card.Format(3));
    ASSERT_TRUE(card.Mount());
    const std::string source = dir.Path("spelled");
    fs::create_directory(source);
    WriteTestPicture(source + "/a.lee", "01", 10, 1, 1);
    WritePerformList(source + "/Perform.txt", {"a.lee"});
    WriteFileBytes(card.Folder() + "/A.LEE", "the earlier picture");
    WriteFileBytes(card.Folder() + "/Perform.txt", ReadFileBytes(source + "/Perform.txt"));
    ShellRun r = RunCliUnder(dir, "", {"card", "write", "--dry-run", source, card.Folder()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Perform.txt\t同じ\na.lee\t置き換え\n");
    r = RunCliUnder(dir, "", {"card", "write", source, card.Folder()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "a.lee: 書き込み完了\nPerform.txt: 書き込み完了\n");
    EXPECT_EQ(CardFiles(card), (Files{{"Perform.txt", ReadFileBytes(source + "/Perform.txt")},
                                      {"a.lee", ReadFileBytes(source + "/a.lee")}}));
    card.Unmount();
    EXPECT_EQ(card.Fsck(), 0);
}

// The writer killed at its n-th rename, flush, write or file opening, for
// every n the write reaches.
TEST_F(CardOnExfat, AWriteKilledAtAnyPointLeavesWholeFilesAndIsReported) {
    ExfatCard card(dir);
    Prepared p(dir);
    const std::string pristine = dir.Path("pristine.img");
    MakeOldCard(card, p, pristine);
    int kills = 0, mixed = 0;
    for (const char* call : {"rename", "fsync", "write", "openat"}) {
        for (int n = 1; n < 400; ++n) {
            card.LoadImage(pristine);
            ASSERT_TRUE(card.Mount());
            const std::string syscalls = std::string(call) == "rename" ? "rename,renameat,renameat2" : call;
            const ShellRun r = RunCliUnder(dir, kTraced + " -e trace=" + syscalls + " -e inject=" + syscalls +
                                                    ":signal=SIGKILL:when=" + std::to_string(n),
                                           {"card", "write", p.source, card.Folder()});
            if (r.status != kKilled) {
                // The write never reached an n-th such call: it went through.
                EXPECT_EQ(r.status, 0) << call << " " << n << ": " << r.err;
                EXPECT_TRUE(p.IsNew(CardFiles(card))) << call << " " << n;
                card.Unmount();
                break;
            }
            ++kills;
            card.Unmount();
            ASSERT_EQ(card.Fsck(), 0) << "killed at " << call << " " << n;
            ASSERT_TRUE(card.Mount());
            mixed += ExpectRecovered(card, p, std::string("killed at ") + call + " " + std::to_string(n));
            card.Unmount();
            if (::testing::Test::HasFailure()) return;
        }
    }
    // Kills between the renames leave cards part new: those are the ones that matter.
    EXPECT_GT(kills, 10);
    EXPECT_GT(mixed, 2);
    std::cout << "killed " << kills << " times, " << mixed << " cards left part new\n";
}

// The card pulled (its driver killed) while the writer waits before its
// n-th rename: whatever the driver had not put on the card is lost.
TEST_F(CardOnExfat, ACardPulledPartWayLeavesWholeFilesAndIsReported) {
    ExfatCard card(dir);
    Prepared p(dir);
    const std::string pristine = dir.Path("pristine.img");
    MakeOldCard(card, p, pristine);
    for (int n = 1; n <= 5; ++n) {
        SCOPED_TRACE("pulled before rename " + std::to_string(n));
        card.LoadImage(pristine);
        ASSERT_TRUE(card.Mount(true));
        // The writer stops for two seconds before the n-th rename; the card goes in the first.
        std::thread writer([&] {
            RunCliUnder(dir,
                        kTraced + " -e trace=rename,renameat,renameat2 -e inject=rename,renameat,renameat2:"
                                  "delay_enter=2000000:when=" + std::to_string(n),
                        {"card", "write", p.source, card.Folder()});
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(1000));
        card.PullCard();
        writer.join();
        card.Unmount();
        // A pulled card may need what any computer offers for one: a repair.
        if (card.Fsck() != 0) {
            EXPECT_EQ(card.Repair(), 0);
        }
        EXPECT_EQ(card.Fsck(), 0);
        ASSERT_TRUE(card.Mount());
        const bool mixed = ExpectRecovered(card, p, "pulled before rename " + std::to_string(n));
        std::cout << "pulled before rename " << n << ": " << (mixed ? "part new" : "whole") << "\n";
        card.Unmount();
        if (::testing::Test::HasFailure()) return;
    }
}

}  // namespace
}  // namespace tesslor::test
#endif
