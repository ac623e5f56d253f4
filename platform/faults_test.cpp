#include "scratchdir.h"

#include <windows.h>

#include <algorithm>
#include <functional>

namespace {

using vplat::faults::Op;
using Faults = ScratchDir;

// The countdown: n calls pass, the next fails; a transient fault then passes
// again, a persistent one keeps failing.
TEST_F(Faults, CountdownThenTransientOrPersistent) {
  Put("a.txt", "a");
  for (bool persistent : {false, true}) {
    vplat::faults::Reset();
    vplat::faults::Arm(Op::Open, 2, persistent);
    std::string outcomes;
    for (int call = 0; call < 5; ++call) {
      HFILE h = _lopen("T:\\a.txt", OF_READ);
      outcomes += h == HFILE_ERROR ? 'F' : '.';
      if (h == HFILE_ERROR)
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
      else
        _lclose(h);
      EXPECT_EQ(vplat::faults::Fired(), call >= 2) << "call " << call;
    }
    EXPECT_EQ(outcomes, persistent ? "..FFF" : "..F..");
  }
  vplat::faults::Reset();
  EXPECT_FALSE(vplat::faults::Fired());
  HFILE h = _lopen("T:\\a.txt", OF_READ);
  EXPECT_NE(h, HFILE_ERROR);
  _lclose(h);
}

TEST_F(Faults, KindsCountSeparatelyAndFailedCallsDoNotCount) {
  Put("a.txt", "a");
  vplat::faults::Arm(Op::Create, 1, false);
  vplat::faults::Arm(Op::Delete, 0, false);
  // A call that fails for its own reasons does not count down.
  EXPECT_EQ(_lcreat("T:\\nodir\\x", 0), HFILE_ERROR);
  EXPECT_FALSE(DeleteFileA("T:\\none.txt"));
  EXPECT_FALSE(vplat::faults::Fired());

  HFILE h = _lcreat("T:\\b.txt", 0);
  EXPECT_NE(h, HFILE_ERROR);
  _lclose(h);
  EXPECT_EQ(_lcreat("T:\\c.txt", 0), HFILE_ERROR);
  EXPECT_FALSE(Exists("c.txt"));
  EXPECT_FALSE(DeleteFileA("T:\\a.txt"));
  EXPECT_TRUE(Exists("a.txt"));
  EXPECT_TRUE(vplat::faults::Fired());
  EXPECT_TRUE(DeleteFileA("T:\\a.txt"));  // both were transient
}

TEST_F(Faults, ShortReadAndShortWrite) {
  Put("a.txt", "0123456789");
  HFILE h = _lopen("T:\\a.txt", OF_READWRITE);
  ASSERT_NE(h, HFILE_ERROR);
  char buf[16] = {};
  vplat::faults::Arm(Op::Read, 0, false);
  EXPECT_EQ(_lread(h, buf, 9), 4u);
  EXPECT_EQ(std::string(buf, 4), "0123");
  EXPECT_EQ(_llseek(h, 0, FILE_CURRENT), 4);  // only what was read was consumed
  EXPECT_EQ(_lread(h, buf, 6), 6u);

  vplat::faults::Arm(Op::Write, 0, false);
  EXPECT_EQ(_llseek(h, 0, FILE_BEGIN), 0);
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(_lwrite(h, "abcde", 5), 2u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_WRITE_FAULT));
  EXPECT_EQ(_lclose(h), 0);
  EXPECT_EQ(Get("a.txt"), "ab23456789");
}

TEST_F(Faults, DiskFillsAfterACountOfBytes) {
  for (bool persistent : {false, true}) {
    vplat::faults::Reset();
    HFILE h = _lcreat("T:\\a.txt", 0);
    ASSERT_NE(h, HFILE_ERROR);
    vplat::faults::Arm(Op::DiskFull, 10, persistent);
    EXPECT_EQ(_lwrite(h, "01234567", 8), 8u);
    EXPECT_FALSE(vplat::faults::Fired());
    EXPECT_EQ(_lwrite(h, "89abcdef", 8), static_cast<UINT>(HFILE_ERROR));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
    EXPECT_TRUE(vplat::faults::Fired());
    // A transient full disk has room again; a persistent one stays full.
    EXPECT_EQ(_lwrite(h, "Z", 1), persistent ? static_cast<UINT>(HFILE_ERROR) : 1u);
    EXPECT_EQ(_lclose(h), 0);
    EXPECT_EQ(Get("a.txt"), persistent ? "0123456789" : "0123456789Z")
        << "persistent " << persistent;
  }
}

TEST_F(Faults, CopyOntoAFullDiskLeavesNoPartialTarget) {
  Put("src.bin", std::string(100000, 'x'));
  vplat::faults::Arm(Op::DiskFull, 70000, false);
  EXPECT_FALSE(CopyFileA("T:\\src.bin", "T:\\dst.bin", FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
  EXPECT_FALSE(Exists("dst.bin"));
}

TEST_F(Faults, WholeFileOperationsFailBeforeTouchingAnything) {
  Put("a.txt", "A");
  Put("b.txt", "B");
  const struct {
    Op op;
    std::function<BOOL()> call;
  } cases[] = {
      {Op::Delete, [] { return DeleteFileA("T:\\a.txt"); }},
      {Op::Copy, [] { return CopyFileA("T:\\a.txt", "T:\\b.txt", FALSE); }},
      {Op::Move, [] { return MoveFileExA("T:\\a.txt", "T:\\b.txt", MOVEFILE_REPLACE_EXISTING); }},
      {Op::CreateDirectory, [] { return CreateDirectoryA("T:\\d", nullptr); }},
  };
  for (const auto &c : cases) {
    vplat::faults::Reset();
    vplat::faults::Arm(c.op, 0, false);
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(c.call()) << static_cast<int>(c.op);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED)) << static_cast<int>(c.op);
    EXPECT_TRUE(vplat::faults::Fired());
    EXPECT_EQ(Get("a.txt"), "A");
    EXPECT_EQ(Get("b.txt"), "B");
    EXPECT_FALSE(Exists("d"));
    EXPECT_TRUE(c.call()) << "transient: the next call succeeds, op " << static_cast<int>(c.op);
    Put("a.txt", "A");
    Put("b.txt", "B");
  }
}

// The way a plug-in saves a file without ever losing it: write a temporary
// file beside the target, then move it over the target in one step.
bool SaveBeside(const char *target, const std::string &bytes) {
  const std::string temp = std::string(target) + ".new";
  HFILE h = _lcreat(temp.c_str(), 0);
  if (h == HFILE_ERROR) return false;
  bool ok = true;
  constexpr UINT kChunk = 8;
  for (size_t done = 0; ok && done < bytes.size(); done += kChunk) {
    const UINT n = static_cast<UINT>(std::min<size_t>(kChunk, bytes.size() - done));
    ok = _lwrite(h, bytes.data() + done, n) == n;
  }
  if (_lclose(h) != 0) ok = false;
  if (!ok ||
      !MoveFileExA(temp.c_str(), target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileA(temp.c_str());
    return false;
  }
  return true;
}

// The naive way: truncate the target and write into it.
bool SaveInPlace(const char *target, const std::string &bytes) {
  HFILE h = _lcreat(target, 0);
  if (h == HFILE_ERROR) return false;
  const bool ok = _lwrite(h, bytes.data(), static_cast<UINT>(bytes.size())) == bytes.size();
  return _lclose(h) == 0 && ok;
}

struct LoopResult {
  int runs = 0;     // runs until one where no fault fired
  int damaged = 0;  // runs that left the target neither old nor new
  int unreported =
      0;  // runs where a fault fired, the target is not new, yet the save said it succeeded
  int leftovers = 0;  // runs that left the temporary file behind
};

LoopResult RunFaultLoop(ScratchDir &dir, Op op, bool persistent,
                        const std::function<bool(const char *, const std::string &)> &save) {
  const std::string oldBytes = "old settings line 1\r\nold settings line 2\r\n";
  const std::string newBytes = "new settings, a little longer than before\r\nline 2\r\n";
  LoopResult r;
  for (int n = 0; n < 1000; ++n) {
    dir.Put("prefs.ini", oldBytes);
    vplat::faults::Reset();
    vplat::faults::Arm(op, n, persistent);
    const bool saved = save("T:\\prefs.ini", newBytes);
    const bool fired = vplat::faults::Fired();
    vplat::faults::Reset();
    ++r.runs;
    const std::string now = dir.Get("prefs.ini");
    if (now != oldBytes && now != newBytes) ++r.damaged;
    if (saved && now != newBytes) ++r.unreported;
    if (dir.Exists("prefs.ini.new")) ++r.leftovers;
    if (!fired) {
      EXPECT_TRUE(saved) << "no fault, yet the save failed; n=" << n;
      EXPECT_EQ(now, newBytes);
      break;
    }
  }
  return r;
}

TEST_F(Faults, SavingBesideThenReplacingNeverLosesTheFile) {
  const std::string newBytes = "new settings, a little longer than before\r\nline 2\r\n";
  const UINT chunks = static_cast<UINT>((newBytes.size() + 7) / 8);
  const struct {
    Op op;
    int runs;  // faults at every point the save passes, then one clean run
  } cases[] = {
      {Op::Create, 2},
      {Op::Write, static_cast<int>(chunks) + 1},
      {Op::DiskFull, static_cast<int>(newBytes.size()) + 1},
      {Op::Move, 2},
  };
  for (const auto &c : cases) {
    for (bool persistent : {false, true}) {
      const LoopResult r = RunFaultLoop(*this, c.op, persistent, SaveBeside);
      SCOPED_TRACE(::testing::Message()
                   << "op " << static_cast<int>(c.op) << " persistent " << persistent);
      EXPECT_EQ(r.runs, c.runs);
      EXPECT_EQ(r.damaged, 0);
      EXPECT_EQ(r.unreported, 0);
      EXPECT_EQ(r.leftovers, 0);
    }
  }
}

// The same loop catches a saver that writes in place.
TEST_F(Faults, TheLoopCatchesASaverThatWritesInPlace) {
  const LoopResult r = RunFaultLoop(*this, Op::DiskFull, false, SaveInPlace);
  EXPECT_GT(r.damaged, 0);
}

}  // namespace
