// Runs the built vardo program on a scratch Documents folder.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "vardo_testing.h"

namespace {

class SettingsCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "vardo-settings-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    profile_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(profile_); }

  void PutPrefs(const std::string &name, const std::string &bytes) {
    std::filesystem::create_directories(profile_ + "/Adobe/Illustrator/Prefs");
    std::ofstream(profile_ + "/Adobe/Illustrator/Prefs/" + name, std::ios::binary) << bytes;
  }

  int Vardo(const std::string &args, std::string &out) {
    vardo::testing::VardoRun run = vardo::testing::RunVardo(args);
    out = run.out;
    return run.status;
  }

  std::string profile_;
};

TEST_F(SettingsCommand, JsonHasEveryKeyWithTheFilesValuesConverted) {
  // UTF-8 with a control byte, a backslash and an invalid byte; a Shift-JIS
  // path whose characters end in 0x5C and 0x74.
  PutPrefs("Vardo2Script.ini",
           "qrcode_qr_option_text = \"\xE5\xB1\xB1\x01\\x\xFF\"\r\n"
           "qrcode_qr_cellsize = 0.3\r\nplace_linkimage = 0\r\nobjtype = 1\r\n");
  PutPrefs("Vardo2Sequencer.ini",
           "csvpath = \"C:\\\x83\x5C\x83\x74\x83\x67\\a b.csv\"\r\nstartRecord = 40000\r\n"
           "foption_print = 65535\r\n");  // does not fit 16 bits: the default stays
  std::string out;
  ASSERT_EQ(Vardo("settings --json --profile '" + profile_ + "'", out), 0);
  EXPECT_EQ(out,
            "{\n"
            "  \"script\": {\n"
            "    \"objtype\": 1,\n"
            "    \"horizontal_alignment\": 0,\n"
            "    \"vertical_alignment\": 0,\n"
            "    \"place_linkimage\": 0,\n"
            "    \"barcode_barcode_type\": 0,\n"
            "    \"barcode_barcode_toji\": 0,\n"
            "    \"barcode_barcode_size\": 1,\n"
            "    \"barcode_barcode_trunc_height\": 5,\n"
            "    \"barcode_barcode_option_text\": \"\",\n"
            "    \"barcode_barcode_fuse_ocr_text\": 1,\n"
            "    \"barcode_barcode_fuse_check_digit\": 1,\n"
            "    \"barcode_barcode_fuse_trunc_height\": 0,\n"
            "    \"qrcode_qr_ecclevel\": 1,\n"
            "    \"qrcode_qr_version\": 0,\n"
            "    \"qrcode_qr_encodemode\": 0,\n"
            "    \"qrcode_qr_cellsize\": 0.3,\n"
            "    \"qrcode_qr_option_text\": \"\xE5\xB1\xB1\\u0001\\\\x\xEF\xBF\xBD\",\n"
            "    \"qrcode_qr_showhrtext\": 1\n"
            "  },\n"
            "  \"sequencer\": {\n"
            "    \"csvpath\": \"C:\\\\\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88\\\\a b.csv\",\n"
            "    \"aippath\": \"sample.ai\",\n"
            "    \"startRecord\": 40000,\n"
            "    \"endRecord\": 999,\n"
            "    \"foption_layout\": 1,\n"
            "    \"foption_print\": 0\n"
            "  }\n"
            "}\n");
}

TEST_F(SettingsCommand, TextShowsWhereEachFileIsAndDefaultsForAMissingOne) {
  PutPrefs("Vardo2Sequencer.ini", "aippath = \"tmpl.ai\"\r\nendRecord = 70000\r\n");
  std::string out;
  ASSERT_EQ(Vardo("settings --profile '" + profile_ + "'", out), 0);
  const std::string prefs = profile_ + "/Adobe/Illustrator/Prefs/";
  for (const std::string &line : {
           "Vardo2Script.ini: " + prefs + "Vardo2Script.ini (not found, defaults)\n",
           std::string("  place_linkimage = 1\n"),
           std::string("  qrcode_qr_cellsize = 0.5\n"),
           "\nVardo2Sequencer.ini: " + prefs + "Vardo2Sequencer.ini\n",
           std::string("  csvpath = \"sample.csv\"\n  aippath = \"tmpl.ai\"\n"),
           std::string("  endRecord = 70000\n"),
       }) {
    EXPECT_NE(out.find(line), std::string::npos) << line << "\nin:\n" << out;
  }
}

TEST_F(SettingsCommand, ValuesOutsideTheirTypeKeepTheDefaults) {
  PutPrefs("Vardo2Script.ini",
           "objtype = 99999999999\r\nqrcode_qr_cellsize = nan\r\nbarcode_barcode_size = inf\r\n"
           "barcode_barcode_trunc_height = 1e999\r\nqrcode_qr_version = 40000\r\n");
  PutPrefs("Vardo2Sequencer.ini", "startRecord = 2147483648\r\nendRecord = -99999999999\r\n");
  std::string out;
  ASSERT_EQ(Vardo("settings --profile '" + profile_ + "'", out), 0);
  for (const char *line :
       {"  objtype = 0\n", "  qrcode_qr_cellsize = 0.5\n", "  barcode_barcode_size = 1\n",
        "  barcode_barcode_trunc_height = 5\n", "  qrcode_qr_version = 0\n", "  startRecord = 1\n",
        "  endRecord = 999\n"}) {
    EXPECT_NE(out.find(line), std::string::npos) << line << "\nin:\n" << out;
  }
}

TEST_F(SettingsCommand, AFifoForAFileIsReadAsNone) {
  // Opening a FIFO for reading waits for a writer; none comes, and the
  // program must not wait with it.
  std::filesystem::create_directories(profile_ + "/Adobe/Illustrator/Prefs");
  const std::string fifo = profile_ + "/Adobe/Illustrator/Prefs/Vardo2Script.ini";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  // Should the program wait at the FIFO all the same, a writer comes after
  // a while and finds it waiting there, and lets it go on.
  std::atomic<bool> done{false};
  bool readerWaited = false;
  std::thread writer([&] {
    for (int i = 0; i < 200 && !done; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    readerWaited = fd >= 0;
    if (fd >= 0) close(fd);
  });
  std::string out;
  const int status = Vardo("settings --profile '" + profile_ + "'", out);
  done = true;
  writer.join();
  EXPECT_FALSE(readerWaited) << "the program waited at the FIFO";
  ASSERT_EQ(status, 0);
  EXPECT_NE(out.find("Vardo2Script.ini: " + fifo + " (not a file, defaults)\n"), std::string::npos)
      << out;
  EXPECT_NE(out.find("  qrcode_qr_cellsize = 0.5\n"), std::string::npos) << out;
}

TEST_F(SettingsCommand, RefusesAMissingProfileFolder) {
  std::string out;
  EXPECT_NE(Vardo("settings --profile '" + profile_ + "/missing'", out), 0);
  EXPECT_EQ(out, "");
}

}  // namespace
