// The panel's two commands and their options dialogs, played through the
// real module: choose the command, answer the dialog, look at the panel,
// the frame and the options file.
#include <gtest/gtest.h>

#include "testing/scriptplugintest.h"

namespace {

// Presses a button of the dialog.
inline bool Press(HWND dialog, int id) { return vplat::dialogs::Click(dialog, id); }
using vplat::dialogs::GetText;
using vplat::dialogs::IsChecked;
using vplat::dialogs::SelectComboItem;
using vplat::dialogs::SetText;

constexpr ASUInt32 kImageCommand = 1, kBarcodeCommand = 2;

int Count(HWND dialog, int id) {
  return static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0));
}
int Selected(HWND dialog, int id) {
  return static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0));
}
std::string Entry(HWND dialog, int id, int index) {
  WCHAR text[128] = {};
  SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  char utf8[384] = {};
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
  return utf8;
}
bool Shown(HWND dialog, int id) {
  return (GetWindowLongPtrW(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

// Which of the two groups the barcode dialog shows: "barcode", "qr" or
// something in between when the groups are mixed up.
std::string Groups(HWND dialog) {
  bool barcode = true, qr = true, anyBarcode = false, anyQr = false;
  for (int id : {22, 23, 24, 25, 26, 27, 28, 29, 32, 33, 34, 35, 36}) {
    barcode = barcode && Shown(dialog, id);
    anyBarcode = anyBarcode || Shown(dialog, id);
  }
  for (int id = 37; id <= 47; ++id) {
    qr = qr && Shown(dialog, id);
    anyQr = anyQr || Shown(dialog, id);
  }
  if (barcode && !anyQr) return "barcode";
  if (qr && !anyBarcode) return "qr";
  return "mixed";
}

class OptionsDialogs : public ScriptPluginTest {
 protected:
  // Started with a document whose one frame is selected and shown.
  void StartWithFrame(const std::string &frameTags = "") {
    Start();
    Open(Layer("l", "<text id='f' x='10' y='20' " + frameTags + ">f</text>"));
    Click("f");
    Tick();
  }
};

TEST_F(OptionsDialogs, ThePictureCommandWithDefaultsPutsItsTagIntoThePanelAndTheFrame) {
  StartWithFrame();
  int resource = 0;
  Choose(kImageCommand, [&](HWND dialog) {
    resource = vplat::dialogs::DialogResourceId(dialog);
    EXPECT_EQ(Selected(dialog, 6), 0);
    EXPECT_EQ(Selected(dialog, 8), 0);
    EXPECT_TRUE(IsChecked(dialog, 9));
    Press(dialog, IDOK);
  });
  EXPECT_EQ(resource, 16053);
  const std::string tag = "<HTML><BODY><IMG SRC=\"file://[image_path]\"></BODY></HTML>";
  EXPECT_EQ(PanelText(), tag);
  EXPECT_EQ(TagOf("f", "vardo2_script"), "(none)");
  Tick();
  EXPECT_EQ(TagOf("f", "vardo2_script"), tag);
}

TEST_F(OptionsDialogs, ThePictureDialogIsCentredTopmostAndFillsOnlyTheAlignments) {
  Start();
  Choose(kImageCommand, [&](HWND dialog) {
    vplat::WindowState state = vplat::GetWindowState(dialog);
    EXPECT_EQ(state.text, "オプション");
    EXPECT_TRUE(state.visible);
    EXPECT_NE(state.exStyle & WS_EX_TOPMOST, 0u);
    const int width = state.rect.right - state.rect.left,
              height = state.rect.bottom - state.rect.top;
    EXPECT_EQ(state.rect.left, (1920 - width) / 2);
    EXPECT_EQ(state.rect.top, (1080 - height) / 2);
    EXPECT_EQ(Count(dialog, 6), 3);
    EXPECT_EQ(Count(dialog, 8), 3);
    EXPECT_EQ(state.owner, nullptr);
    Press(dialog, IDCANCEL);
  });
}

TEST_F(OptionsDialogs, CancelChangesNothingNotEvenTheOptionsFile) {
  StartWithFrame("vardotag:vardo2_script='[photo]'");
  for (ASUInt32 command : {kImageCommand, kBarcodeCommand}) {
    Choose(command, [command](HWND dialog) {
      SelectComboItem(dialog, 6, 2);
      vplat::dialogs::Check(dialog, command == kImageCommand ? 9 : 34, false);
      Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(PanelText(), "[photo]");
    EXPECT_FALSE(HasOptions());
  }
  Tick();
  EXPECT_EQ(TagOf("f", "vardo2_script"), "[photo]");
  // The options are as they were: the next dialog shows the defaults.
  Choose(kImageCommand, [](HWND dialog) {
    EXPECT_EQ(Selected(dialog, 6), 0);
    EXPECT_TRUE(IsChecked(dialog, 9));
    Press(dialog, IDCANCEL);
  });
}

TEST_F(OptionsDialogs, OkInThePictureDialogRewritesTheWholeFile) {
  PutOptions(
      "objtype = 1\r\nqrcode_qr_version = 12\r\nbarcode_barcode_option_text = \"item\"\r\nextra = "
      "5\r\n");
  Start();
  Choose(kImageCommand, [](HWND dialog) {
    SelectComboItem(dialog, 6, "中央");
    SelectComboItem(dialog, 8, "下");
    vplat::dialogs::Check(dialog, 9, false);
    Press(dialog, IDOK);
  });
  EXPECT_EQ(
      Options(),
      "objtype = 1\r\nhorizontal_alignment = 1\r\nvertical_alignment = 2\r\nplace_linkimage = 0\r\n"
      "barcode_barcode_type = 0\r\nbarcode_barcode_toji = 0\r\nbarcode_barcode_size = 1\r\n"
      "barcode_barcode_trunc_height = 5\r\nbarcode_barcode_option_text = \"item\"\r\n"
      "barcode_barcode_fuse_ocr_text = 1\r\nbarcode_barcode_fuse_check_digit = 1\r\n"
      "barcode_barcode_fuse_trunc_height = 0\r\nqrcode_qr_ecclevel = 1\r\nqrcode_qr_version = "
      "12\r\n"
      "qrcode_qr_encodemode = 0\r\nqrcode_qr_cellsize = 0.5\r\nqrcode_qr_option_text = \"\"\r\n"
      "qrcode_qr_showhrtext = 1\r\n");
  EXPECT_EQ(PanelText(),
            "<HTML><BODY><TABLE CELLPADDING=0 CELLSPACING=0><TR><TD WIDTH=0 HEIGHT=0 ALIGN=CENTER "
            "VALIGN=BOTTOM>"
            "<IMG SRC=\"file://[image_path]\"></TD></TR></TABLE></BODY></HTML>");
}

TEST_F(OptionsDialogs, EveryListIsFilledFromItsStringRun) {
  Start();
  Choose(kBarcodeCommand, [](HWND dialog) {
    EXPECT_EQ(vplat::dialogs::DialogResourceId(dialog), 16054);
    struct {
      int id, count;
      const char *first, *last;
    } lists[] = {
        {4, 2, "バーコード", "ＱＲコード"},
        {6, 3, "左", "右"},
        {8, 3, "上", "下"},
        {23, 29, "JAN 標準(12桁)", "GS1-14 OMNIDIRCTIONAL"},
        {25, 17, "0.2", "2.0"},
        {28, 14, "5", "31.8"},
        {38, 4, "Ｌ(7%)", "Ｈ(30%)"},
        {40, 41, "オート", "40"},
        {42, 6, "オート", "混在"},
        {44, 11, "0.2mm", "5mm"},
    };
    for (const auto &list : lists) {
      EXPECT_EQ(Count(dialog, list.id), list.count) << list.id;
      EXPECT_EQ(Entry(dialog, list.id, 0), list.first) << list.id;
      EXPECT_EQ(Entry(dialog, list.id, list.count - 1), list.last) << list.id;
    }
    // The "-" strings are left out of the magnifications: the ninth is "0".
    EXPECT_EQ(Entry(dialog, 25, 8), "0");
    EXPECT_EQ(Entry(dialog, 25, 15), "1.8");
    EXPECT_NE(GetWindowLongPtrW(GetDlgItem(dialog, 40), GWL_STYLE) & WS_VSCROLL, 0)
        << "the versions scroll";
    // The defaults as the dialog shows them.
    EXPECT_EQ(Groups(dialog), "barcode");
    EXPECT_EQ(GetText(dialog, 25), "1");
    EXPECT_EQ(GetText(dialog, 28), "5");
    EXPECT_EQ(GetText(dialog, 44), "0.5mm");
    EXPECT_EQ(Selected(dialog, 38), 1);
    EXPECT_TRUE(IsChecked(dialog, 34));
    EXPECT_TRUE(IsChecked(dialog, 35));
    EXPECT_FALSE(IsChecked(dialog, 36));
    EXPECT_TRUE(IsChecked(dialog, 47));
    EXPECT_TRUE(Shown(dialog, 48));
    Press(dialog, IDCANCEL);
  });
}

TEST_F(OptionsDialogs, ThePlacementTypeSwitchesTheGroupsAtOnceAndCancelKeepsIt) {
  PutOptions("objtype = 1\r\n");
  Start();
  Choose(kBarcodeCommand, [](HWND dialog) {
    EXPECT_EQ(Selected(dialog, 4), 1);
    EXPECT_EQ(Groups(dialog), "qr");
    SelectComboItem(dialog, 4, "バーコード");
    EXPECT_EQ(Groups(dialog), "barcode");
    Press(dialog, IDCANCEL);
  });
  Choose(kBarcodeCommand, [](HWND dialog) {
    EXPECT_EQ(Selected(dialog, 4), 1) << "objtype is still 1";
    EXPECT_EQ(Groups(dialog), "qr");
    Press(dialog, IDCANCEL);
  });
  EXPECT_EQ(Options(), "objtype = 1\r\n");
}

TEST_F(OptionsDialogs, NumbersAreReadFromTheStartOfTheirFields) {
  struct {
    const char *typed;
    const char *stored;
  } cases[] = {
      {"1.25", "1.25"}, {"0.5mm", "0.5"}, {"abc", "0"},  {"", "0"},
      {"-2e1x", "-20"}, {"nan", "0"},     {"0x10", "0"},
  };
  Start();
  for (const auto &c : cases) {
    SCOPED_TRACE(c.typed);
    TypeIntoPanel("");
    Choose(kBarcodeCommand, [&](HWND dialog) {
      EXPECT_TRUE(SetText(dialog, 25, c.typed));
      Press(dialog, IDOK);
    });
    EXPECT_NE(Options().find(std::string("barcode_barcode_size = ") + c.stored + "\r\n"),
              std::string::npos)
        << Options();
    EXPECT_NE(PanelText().find(std::string(" ELEMENTSIZE=") + c.stored + " "), std::string::npos)
        << PanelText();
  }
}

TEST_F(OptionsDialogs, ChoosingACellSizeFromItsListStoresItsNumber) {
  Start();
  Choose(kBarcodeCommand, [](HWND dialog) {
    SelectComboItem(dialog, 4, 1);
    EXPECT_TRUE(SelectComboItem(dialog, 44, "0.33mm"));
    SelectComboItem(dialog, 38, 3);
    SelectComboItem(dialog, 40, "12");
    SelectComboItem(dialog, 42, "漢字");
    vplat::dialogs::Check(dialog, 47, false);
    SetText(dialog, 46, "品番");
    Press(dialog, IDOK);
  });
  EXPECT_NE(Options().find("qrcode_qr_cellsize = 0.33\r\n"), std::string::npos) << Options();
  EXPECT_EQ(
      PanelText(),
      "<HTML><BODY><BARCODE TYPE=QRCODE ECCLEVEL=H VERSION=12 ENCODEMODE=KANJI SHOWHRTEXT=FALSE "
      "CELLSIZE=0.33 DATA=\"[barcode_data]\" ITEM=\"品番\"></BODY></HTML>");
}

TEST_F(OptionsDialogs, EveryBarcodeFieldReachesTheTagAndBothGroupsAreStored) {
  PutOptions("qrcode_qr_version = 5\r\nqrcode_qr_option_text = \"qr item\"\r\n");
  Start();
  Choose(kBarcodeCommand, [](HWND dialog) {
    EXPECT_EQ(GetText(dialog, 46), "qr item");
    SelectComboItem(dialog, 23, "CODE-128");
    SetText(dialog, 25, "2.0");
    SelectComboItem(dialog, 28, "15.9");
    SetText(dialog, 33, "code");
    vplat::dialogs::Check(dialog, 34, false);
    vplat::dialogs::Check(dialog, 35, false);
    vplat::dialogs::Check(dialog, 36, true);
    Press(dialog, IDOK);
  });
  EXPECT_EQ(PanelText(),
            "<HTML><BODY><BARCODE TYPE=CODE128 TOJI=RIGHT ELEMENTSIZE=2 DATA=\"[barcode_data]\" "
            "ITEM=\"code\" "
            "SHOWHRTEXT=FALSE CHECKDIGIT=FALSE TRUNCHEIGHT=15.9></BODY></HTML>");
  EXPECT_NE(Options().find("qrcode_qr_version = 5\r\n"), std::string::npos);
  EXPECT_NE(Options().find("qrcode_qr_option_text = \"qr item\"\r\n"), std::string::npos);
  EXPECT_NE(Options().find("barcode_barcode_fuse_trunc_height = 1\r\n"), std::string::npos);
}

TEST_F(OptionsDialogs, AnAlignmentOutsideTheListShowsNoSelectionAndOkStoresMinusOne) {
  PutOptions("horizontal_alignment = 3\r\n");
  Start();
  Choose(kImageCommand, [](HWND dialog) {
    EXPECT_EQ(Selected(dialog, 6), CB_ERR);
    Press(dialog, IDOK);
  });
  EXPECT_NE(Options().find("horizontal_alignment = -1\r\n"), std::string::npos) << Options();
}

TEST_F(OptionsDialogs, ALongItemTextIsCutBeforeACharacterThatWouldNotFit) {
  Start();
  std::string thirty;
  for (int i = 0; i < 30; ++i) thirty += "価";  // 90 bytes
  Choose(kBarcodeCommand, [&](HWND dialog) {
    EXPECT_TRUE(SetText(dialog, 33, thirty));
    Press(dialog, IDOK);
  });
  EXPECT_NE(Options().find("barcode_barcode_option_text = \"" + thirty.substr(0, 78) + "\"\r\n"),
            std::string::npos)
      << Options();
}

}  // namespace
