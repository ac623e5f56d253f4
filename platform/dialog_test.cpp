// Dialogs from templates, answered by automation: the modal loop, the
// keyboard interface, unanswered dialogs, and the GetDlgItem family.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <vplatform/clock.h>
#include <vplatform/dialogs.h>
#include <vplatform/input.h>
#include <vplatform/modules.h>
#include <vplatform/windows.h>

#include <string>

#include "controls_testing.h"
#include "dialogtemplate_testing.h"

namespace {

using vplat::testing::DialogTemplateWriter;
namespace dialogs = vplat::dialogs;

constexpr int kLabel = 100, kName = 10, kAlign = 11, kLink = 12, kNotes = 13;

// What the dialog procedure below saw and read.
struct Outcome {
  std::u16string name;
  int align = -2;
  UINT link = 99;
  std::u16string notes;
  int selChanges = 0;
  HWND initFocusCandidate = nullptr;
  BOOL initialiseReturns = TRUE;
  int focusOnInit = 0;  // a control the procedure focuses itself
  INT_PTR okResult = 42;
  bool endOnCancel = true;
  std::vector<UINT> buttons;  // the OK and Cancel commands received
};

INT_PTR CALLBACK OptionsProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto *out = reinterpret_cast<Outcome *>(GetWindowLongPtrW(dlg, DWLP_USER));
  switch (msg) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dlg, DWLP_USER, lParam);
      out = reinterpret_cast<Outcome *>(lParam);
      out->initFocusCandidate = reinterpret_cast<HWND>(wParam);
      for (const char16_t *s : {u"left", u"centre", u"right"})
        SendDlgItemMessageW(dlg, kAlign, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
      SendDlgItemMessageW(dlg, kAlign, CB_SETCURSEL, 0, 0);
      SetDlgItemTextW(dlg, kName, u"initial");
      if (out->focusOnInit) SetFocus(GetDlgItem(dlg, out->focusOnInit));
      return out->initialiseReturns;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
        out->buttons.push_back(LOWORD(wParam));
      if (LOWORD(wParam) == kAlign && HIWORD(wParam) == CBN_SELCHANGE) ++out->selChanges;
      if (LOWORD(wParam) == IDOK) {
        WCHAR buf[64];
        GetDlgItemTextW(dlg, kName, buf, 64);
        out->name = reinterpret_cast<const char16_t *>(buf);
        if (GetDlgItem(dlg, kNotes)) {
          WCHAR notes[64];
          GetDlgItemTextW(dlg, kNotes, notes, 64);
          out->notes = reinterpret_cast<const char16_t *>(notes);
        }
        out->align = static_cast<int>(SendDlgItemMessageW(dlg, kAlign, CB_GETCURSEL, 0, 0));
        out->link = IsDlgButtonChecked(dlg, kLink);
        EndDialog(dlg, out->okResult);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL && out->endOnCancel) {
        EndDialog(dlg, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default: return FALSE;
  }
}

// An options dialog: a label, a name field, a drop-down list, a check box
// and OK / Cancel; optionally a multi-line notes field.
std::vector<BYTE> OptionsTemplate(bool extended, DWORD notesStyle = 0) {
  DialogTemplateWriter w(extended, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 20, 10, 200,
                         160, u"Options");
  w.font(9, u"MS Shell Dlg")
      .item(DialogTemplateWriter::kStatic, kLabel, WS_CHILD | WS_VISIBLE | SS_RIGHT, 8, 10, 40, 8,
            u"Name:")
      .item(DialogTemplateWriter::kEdit, kName,
            WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 52, 8, 120, 14, u"")
      .item(DialogTemplateWriter::kComboBox, kAlign,
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL, 52, 28, 120, 60,
            u"")
      .item(DialogTemplateWriter::kButton, kLink,
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 52, 48, 120, 10, u"Link")
      .item(DialogTemplateWriter::kButton, IDOK,
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 90, 138, 50, 14, u"OK")
      .item(DialogTemplateWriter::kButton, IDCANCEL, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 145, 138,
            50, 14, u"Cancel");
  if (notesStyle)
    w.item(DialogTemplateWriter::kEdit, kNotes,
           WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_MULTILINE | notesStyle, 8, 64, 184,
           60, u"");
  return w.bytes();
}

int timerTicks = 0;
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) { ++timerTicks; }

class DialogTest : public vplat::testing::ControlsTest {
 protected:
  INT_PTR Run(const std::vector<BYTE> &t, Outcome &out) {
    return DialogBoxIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(t.data()), parent,
                                   OptionsProc, reinterpret_cast<LPARAM>(&out));
  }
};

TEST_F(DialogTest, ModalDialogIsFilledAndConfirmedByAutomation) {
  for (bool extended : {true, false}) {
    SCOPED_TRACE(extended ? "DLGTEMPLATEEX" : "DLGTEMPLATE");
    received.clear();
    Outcome out;
    bool seen = false;
    dialogs::OnNextModalDialog([&](HWND dlg) {
      seen = true;
      // Open, initialised and shown; the owner disabled; the focus on the
      // first tab stop with its text selected.
      EXPECT_TRUE(IsWindowVisible(dlg));
      EXPECT_FALSE(IsWindowEnabled(parent));
      EXPECT_EQ(vplat::GetWindowTextUtf8(dlg), "Options");
      EXPECT_EQ(vplat::GetClassNameUtf8(dlg), "#32770");
      EXPECT_EQ(dialogs::OpenModalDialogs(), std::vector<HWND>{dlg});
      HWND name = GetDlgItem(dlg, kName);
      EXPECT_EQ(out.initFocusCandidate, name);
      EXPECT_EQ(GetFocus(), name);
      EXPECT_EQ(SendMessageW(name, EM_GETSEL, 0, 0), MAKELONG(0, 7));
      EXPECT_EQ(dialogs::GetText(dlg, kName), "initial");

      EXPECT_TRUE(dialogs::SetText(dlg, kName, "Z\xC3\xBCrich"));
      EXPECT_TRUE(dialogs::SelectComboItem(dlg, kAlign, 2));
      EXPECT_TRUE(dialogs::Check(dlg, kLink));
      EXPECT_TRUE(dialogs::IsChecked(dlg, kLink));
      EXPECT_FALSE(dialogs::Click(dlg, 999));  // no such button
      EXPECT_TRUE(dialogs::Click(dlg, IDOK));
    });
    EXPECT_EQ(Run(OptionsTemplate(extended), out), 42);
    EXPECT_TRUE(seen);
    EXPECT_EQ(out.name, u"Z\u00fcrich");
    EXPECT_EQ(out.align, 2);
    EXPECT_EQ(out.link, static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(out.selChanges, 1);
    EXPECT_TRUE(IsWindowEnabled(parent));
    EXPECT_EQ(GetActiveWindow(), parent);  // back to the owner
    EXPECT_TRUE(dialogs::OpenModalDialogs().empty());
    EXPECT_EQ(vplat::FindWindowByTitle("Options"), nullptr);  // destroyed
    EXPECT_TRUE(dialogs::Diagnostics().empty());
  }
}

// Dialog units become pixels at 6 x 13 per 4 x 8, whatever the font; the
// dialog's client area is the template's size.
TEST_F(DialogTest, LayoutUsesTheFixedBaseUnit) {
  EXPECT_EQ(GetDialogBaseUnits(), MAKELONG(6, 13));
  Outcome out;
  dialogs::OnNextModalDialog([&](HWND dlg) {
    RECT client;
    GetClientRect(dlg, &client);
    EXPECT_EQ(client.right, 300);   // 200 units
    EXPECT_EQ(client.bottom, 260);  // 160 units
    RECT expected{52, 8, 52 + 120, 8 + 14};
    ASSERT_TRUE(MapDialogRect(dlg, &expected));
    EXPECT_EQ(expected.left, 78);
    EXPECT_EQ(expected.top, 13);
    EXPECT_EQ(expected.right, 258);
    EXPECT_EQ(expected.bottom, 36);  // 22.75 rounds up
    RECT actual;
    GetWindowRect(GetDlgItem(dlg, kName), &actual);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT *>(&actual), 2);
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.bottom, expected.bottom);
    // Placed relative to the owner's client area.
    RECT window;
    GetWindowRect(dlg, &window);
    EXPECT_EQ(window.left, kParentX + 30);
    EXPECT_EQ(window.top, kParentY + 16);
    // The template's font reached the controls.
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(dlg, WM_GETFONT, 0, 0));
    EXPECT_NE(font, nullptr);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendDlgItemMessageW(dlg, kName, WM_GETFONT, 0, 0)), font);
    dialogs::Click(dlg, IDCANCEL);
  });
  EXPECT_EQ(Run(OptionsTemplate(true), out), IDCANCEL);
}

// Keys typed into the dialog go through IsDialogMessage in the modal loop.
TEST_F(DialogTest, EnterEscapeAndTabWorkThroughTheModalLoop) {
  {
    SCOPED_TRACE("Enter presses the default button");
    Outcome out;
    dialogs::OnNextModalDialog([](HWND) {
      vplat::TypeText("typed");  // replaces the selected initial text
      vplat::KeyStroke(VK_RETURN);
    });
    EXPECT_EQ(Run(OptionsTemplate(true), out), 42);
    EXPECT_EQ(out.name, u"typed");
  }
  {
    SCOPED_TRACE("Escape cancels");
    Outcome out;
    dialogs::OnNextModalDialog([](HWND) { vplat::KeyStroke(VK_ESCAPE); });
    EXPECT_EQ(Run(OptionsTemplate(true), out), IDCANCEL);
    EXPECT_EQ(out.buttons, std::vector<UINT>{IDCANCEL});
  }
  {
    SCOPED_TRACE("Tab moves the focus; Enter on a focused push button presses it");
    Outcome out;
    std::vector<int> focusIds;
    dialogs::OnNextModalDialog([&](HWND dlg) {
      for (int i = 0; i < 4; ++i) vplat::KeyStroke(VK_TAB);
      // Checked once the loop has taken the keys: scheduled on the clock.
      vplat::clock::Schedule(1000, [&, dlg] {
        focusIds.push_back(GetDlgCtrlID(GetFocus()));
        vplat::KeyDown(VK_SHIFT);
        vplat::KeyStroke(VK_TAB);
        vplat::KeyUp(VK_SHIFT);
        vplat::clock::Schedule(1000, [&, dlg] {
          focusIds.push_back(GetDlgCtrlID(GetFocus()));
          SetFocus(GetDlgItem(dlg, IDCANCEL));
          vplat::KeyStroke(VK_RETURN);
        });
      });
    });
    EXPECT_EQ(Run(OptionsTemplate(true), out), IDCANCEL);
    // name -> align -> link -> OK -> Cancel, then back to OK.
    EXPECT_EQ(focusIds, (std::vector<int>{IDCANCEL, IDOK}));
  }
  {
    SCOPED_TRACE("DM_SETDEFID moves the default");
    Outcome out;
    dialogs::OnNextModalDialog([](HWND dlg) {
      SendMessageW(dlg, DM_SETDEFID, IDCANCEL, 0);
      EXPECT_EQ(SendMessageW(dlg, DM_GETDEFID, 0, 0), MAKELONG(IDCANCEL, DC_HASDEFID));
      EXPECT_EQ(GetWindowLongPtrW(GetDlgItem(dlg, IDOK), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
      vplat::KeyStroke(VK_RETURN);
    });
    EXPECT_EQ(Run(OptionsTemplate(true), out), IDCANCEL);
  }
}

// A multi-line field keeps Enter for itself only with ES_WANTRETURN.
TEST_F(DialogTest, EnterInAMultiLineFieldDependsOnWantReturn) {
  for (DWORD style :
       {static_cast<DWORD>(ES_WANTRETURN | ES_AUTOVSCROLL), static_cast<DWORD>(ES_AUTOVSCROLL)}) {
    const bool wants = (style & ES_WANTRETURN) != 0;
    SCOPED_TRACE(wants ? "ES_WANTRETURN" : "without ES_WANTRETURN");
    Outcome out;
    dialogs::OnNextModalDialog([](HWND dlg) {
      SetFocus(GetDlgItem(dlg, kNotes));
      vplat::TypeText("a");
      vplat::KeyStroke(VK_RETURN);
      vplat::TypeText("b");
      vplat::clock::Schedule(1000, [dlg] {
        if (IsWindow(dlg)) dialogs::Click(dlg, IDOK);
      });
    });
    EXPECT_EQ(Run(OptionsTemplate(true, style), out), 42);
    // Without it, Enter pressed OK before "b" arrived.
    EXPECT_EQ(out.notes, wants ? u"a\r\nb" : u"a");
  }
}

TEST_F(DialogTest, UnansweredDialogEndsWithoutHanging) {
  {
    SCOPED_TRACE("nothing scheduled: Escape is pressed for the user");
    Outcome out;
    EXPECT_EQ(Run(OptionsTemplate(true), out), IDCANCEL);
    EXPECT_EQ(out.buttons, std::vector<UINT>{IDCANCEL});
    auto diag = dialogs::TakeDiagnostics();
    ASSERT_EQ(diag.size(), 1u);
    EXPECT_NE(diag[0].find("\"Options\""), std::string::npos) << diag[0];
    EXPECT_NE(diag[0].find("not answered"), std::string::npos) << diag[0];
    EXPECT_TRUE(IsWindowEnabled(parent));
  }
  {
    SCOPED_TRACE("a dialog procedure that ignores Cancel is ended all the same");
    Outcome out;
    out.endOnCancel = false;
    EXPECT_EQ(Run(OptionsTemplate(true), out), IDCANCEL);
    EXPECT_EQ(dialogs::TakeDiagnostics().size(), 1u);
  }
  {
    SCOPED_TRACE("a timer that never stops: the unattended limit ends it");
    dialogs::SetUnattendedLimit(5'000'000);
    timerTicks = 0;
    SetTimer(parent, 1, 100, &CountTick);
    const auto start = vplat::clock::Now();
    Outcome out;
    EXPECT_EQ(Run(OptionsTemplate(true), out), IDCANCEL);
    const auto waited = vplat::clock::Now() - start;
    EXPECT_GE(waited, 4'900'000u);
    EXPECT_LE(waited, 5'100'000u);
    EXPECT_GE(timerTicks, 45);  // the owner's timer kept running meanwhile
    auto diag = dialogs::TakeDiagnostics();
    ASSERT_EQ(diag.size(), 1u);
    EXPECT_NE(diag[0].find("unattended limit"), std::string::npos) << diag[0];
    KillTimer(parent, 1);
  }
  {
    SCOPED_TRACE("input scheduled later is waited for");
    Outcome out;
    dialogs::OnNextModalDialog(
        [](HWND dlg) { vplat::clock::Schedule(3'000'000, [dlg] { dialogs::Click(dlg, IDOK); }); });
    const auto start = vplat::clock::Now();
    EXPECT_EQ(Run(OptionsTemplate(true), out), 42);
    EXPECT_EQ(vplat::clock::Now() - start, 3'000'000u);
    EXPECT_TRUE(dialogs::Diagnostics().empty());
  }
}

// Handlers stay until removed and run in order; the first to end the
// dialog stops the others.
TEST_F(DialogTest, HandlersRunInOrderUntilOneEndsTheDialog) {
  std::vector<std::string> calls;
  auto first = dialogs::OnModalDialog([&](HWND) { calls.push_back("first"); });
  dialogs::OnModalDialog([&](HWND dlg) {
    calls.push_back("second");
    dialogs::Click(dlg, IDOK);
  });
  dialogs::OnModalDialog([&](HWND) { calls.push_back("third"); });
  Outcome a, b;
  EXPECT_EQ(Run(OptionsTemplate(true), a), 42);
  EXPECT_TRUE(dialogs::RemoveHandler(first));
  EXPECT_FALSE(dialogs::RemoveHandler(first));
  EXPECT_EQ(Run(OptionsTemplate(true), b), 42);
  EXPECT_EQ(calls, (std::vector<std::string>{"first", "second", "second"}));
}

// WM_INITDIALOG returning TRUE gives the focus to the first tab stop;
// FALSE leaves it where the procedure put it.
TEST_F(DialogTest, InitialFocusFollowsTheAnswerToInitDialog) {
  for (BOOL answer : {TRUE, FALSE}) {
    Outcome out;
    out.initialiseReturns = answer;
    out.focusOnInit = kLink;
    int focused = 0;
    dialogs::OnNextModalDialog([&](HWND dlg) {
      focused = GetDlgCtrlID(GetFocus());
      dialogs::Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(Run(OptionsTemplate(true), out), IDCANCEL);
    EXPECT_EQ(focused, answer ? kName : kLink) << "answer " << answer;
  }
}

// A quit request ends the modal loop and stays for the outer loop.
TEST_F(DialogTest, QuitMessageEndsTheLoopAndIsPostedAgain) {
  Outcome out;
  dialogs::OnNextModalDialog([](HWND) { PostQuitMessage(3); });
  EXPECT_EQ(Run(OptionsTemplate(true), out), 0);
  EXPECT_TRUE(dialogs::Diagnostics().empty());
  MSG m;
  ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(m.wParam, 3u);
}

// A dialog procedure that ends the dialog while it is initialised.
TEST_F(DialogTest, EndDialogDuringInitialisationReturnsAtOnce) {
  auto proc = [](HWND dlg, UINT msg, WPARAM, LPARAM) -> INT_PTR {
    if (msg == WM_INITDIALOG) EndDialog(dlg, 5);
    return FALSE;
  };
  bool called = false;
  dialogs::OnNextModalDialog([&](HWND) { called = true; });
  std::vector<BYTE> t = OptionsTemplate(true);
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(t.data()), parent,
                                    proc, 0),
            5);
  EXPECT_FALSE(called);
  EXPECT_TRUE(IsWindowEnabled(parent));
}

TEST_F(DialogTest, ModelessDialogRunsInTheCallersLoop) {
  struct State {
    std::vector<UINT> commands;
  } state;
  auto proc = [](HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) -> INT_PTR {
    if (msg == WM_INITDIALOG) {
      SetWindowLongPtrW(dlg, DWLP_USER, lParam);
      return TRUE;
    }
    if (msg == WM_COMMAND) {
      reinterpret_cast<State *>(GetWindowLongPtrW(dlg, DWLP_USER))
          ->commands.push_back(LOWORD(wParam));
      return TRUE;
    }
    return FALSE;
  };
  DialogTemplateWriter w(true, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 250, 80, u"Progress");
  w.item(DialogTemplateWriter::kButton, IDCANCEL, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 191, 61, 50,
         14, u"Abort")
      .item(DialogTemplateWriter::kStatic, 3, WS_CHILD | WS_VISIBLE, 25, 21, 200, 8, u" ");
  std::vector<BYTE> t = w.bytes();
  HWND dlg = CreateDialogIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(t.data()),
                                        nullptr, proc, reinterpret_cast<LPARAM>(&state));
  ASSERT_NE(dlg, nullptr);
  EXPECT_TRUE(IsWindowVisible(dlg));
  EXPECT_TRUE(dialogs::OpenModalDialogs().empty());
  EXPECT_EQ(GetFocus(), GetDlgItem(dlg, IDCANCEL));

  vplat::KeyStroke(VK_ESCAPE);
  PostMessageW(parent, WM_USER, 0, 0);
  int forDialog = 0, forOthers = 0;
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (IsDialogMessageW(dlg, &m)) {
      ++forDialog;
    } else {
      ++forOthers;
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
  }
  EXPECT_EQ(state.commands, std::vector<UINT>{IDCANCEL});
  EXPECT_GE(forDialog, 2);  // the key down and up
  EXPECT_GE(forOthers, 1);  // the message for the parent
  EXPECT_TRUE(DestroyWindow(dlg));
}

TEST_F(DialogTest, DialogFromAModuleResource) {
  void *dl = dlopen(VARDO_RSRC_TEST_MODULE, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(dl, nullptr) << dlerror();
  HMODULE module = vplat::ModuleHandleFromDlopen(dl);
  ASSERT_NE(module, nullptr);
  auto proc = [](HWND dlg, UINT msg, WPARAM wParam, LPARAM) -> INT_PTR {
    if (msg == WM_COMMAND && LOWORD(wParam) == IDOK) EndDialog(dlg, 7);
    return msg == WM_INITDIALOG;
  };
  std::string title;
  int id = 0;
  dialogs::OnNextModalDialog([&](HWND dlg) {
    title = vplat::GetWindowTextUtf8(dlg);
    id = dialogs::DialogResourceId(dlg);
    // The multi-line edit has no tab stop, so the focus went to OK.
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDOK);
    vplat::KeyStroke(VK_RETURN);
  });
  EXPECT_EQ(DialogBoxParamW(module, MAKEINTRESOURCEW(100), nullptr, proc, 0), 7);
  EXPECT_EQ(title, "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E");  // the Japanese one
  EXPECT_EQ(id, 100);

  EXPECT_EQ(DialogBoxParamA(module, MAKEINTRESOURCEA(999), nullptr, proc, 0), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(CreateDialogParamW(module, MAKEINTRESOURCEW(999), nullptr, proc, 0), nullptr);
}

// An ANSI dialog's procedure gets ANSI messages; a Unicode one Unicode.
TEST_F(DialogTest, CharacterSetFollowsTheFunctionUsed) {
  std::vector<BYTE> t = OptionsTemplate(true);
  auto proc = [](HWND dlg, UINT msg, WPARAM, LPARAM) -> INT_PTR {
    if (msg == WM_INITDIALOG) EndDialog(dlg, IsWindowUnicode(dlg) ? 1 : 2);
    return FALSE;
  };
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(t.data()), nullptr,
                                    proc, 0),
            1);
  EXPECT_EQ(DialogBoxIndirectParamA(nullptr, reinterpret_cast<LPCDLGTEMPLATEA>(t.data()), nullptr,
                                    proc, 0),
            2);
}

// An ANSI dialog procedure puts Shift-JIS text into a field and reads what
// the user typed back in Shift-JIS, as the plug-ins' settings dialogs do.
TEST_F(DialogTest, AnsiDialogTextGoesThroughTheCodePage) {
  static std::string readBack;
  auto proc = [](HWND dlg, UINT msg, WPARAM wParam, LPARAM) -> INT_PTR {
    if (msg == WM_INITDIALOG) {
      SetDlgItemTextA(dlg, kName, "C:\\\x83\x66\x81\x5B\x83\x5E\\a.csv");  // C:\データ\a.csv
      return TRUE;
    }
    if (msg == WM_COMMAND && LOWORD(wParam) == IDOK) {
      char buf[64];
      GetDlgItemTextA(dlg, kName, buf, sizeof buf);
      readBack = buf;
      EndDialog(dlg, 1);
      return TRUE;
    }
    return FALSE;
  };
  std::string shown;
  dialogs::OnNextModalDialog([&](HWND dlg) {
    shown = dialogs::GetText(dlg, kName);
    SendDlgItemMessageW(dlg, kName, EM_SETSEL, 0, 0);
    vplat::TypeText("\xE6\x9D\xB1");  // a kanji typed in front
    vplat::KeyStroke(VK_RETURN);
  });
  std::vector<BYTE> t = OptionsTemplate(true);
  EXPECT_EQ(DialogBoxIndirectParamA(nullptr, reinterpret_cast<LPCDLGTEMPLATEA>(t.data()), nullptr,
                                    proc, 0),
            1);
  EXPECT_EQ(shown, "C:\\\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF\\a.csv");
  EXPECT_EQ(readBack,
            "\x93\x8C"
            "C:\\\x83\x66\x81\x5B\x83\x5E\\a.csv");
}

// The dialog procedure answers most messages through DWLP_MSGRESULT, but
// a few by its return value.
TEST_F(DialogTest, DialogProcedureResultsReachTheSender) {
  std::vector<BYTE> t = OptionsTemplate(true);
  auto proc = [](HWND dlg, UINT msg, WPARAM, LPARAM) -> INT_PTR {
    switch (msg) {
      case WM_USER + 5: SetWindowLongPtrW(dlg, DWLP_MSGRESULT, 1234); return TRUE;
      case WM_CTLCOLORSTATIC: return reinterpret_cast<INT_PTR>(GetStockObject(BLACK_BRUSH));
      case WM_INITDIALOG: return TRUE;
      default: return FALSE;
    }
  };
  HWND dlg = CreateDialogIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(t.data()),
                                        parent, proc, 0);
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(SendMessageW(dlg, WM_USER + 5, 0, 0), 1234);
  EXPECT_EQ(SendMessageW(dlg, WM_CTLCOLORSTATIC, 0, 0),
            reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH)));
  // Not handled: the default answer, the dialog face colour.
  EXPECT_EQ(SendMessageW(dlg, WM_CTLCOLORDLG, 0, 0),
            reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_3DFACE)));
  EXPECT_EQ(SendMessageW(dlg, WM_USER + 6, 0, 0), 0);
  DestroyWindow(dlg);
}

TEST_F(DialogTest, ItemFunctions) {
  std::vector<BYTE> t = OptionsTemplate(true);
  auto proc = [](HWND, UINT msg, WPARAM, LPARAM) -> INT_PTR { return msg == WM_INITDIALOG; };
  HWND dlg = CreateDialogIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(t.data()),
                                        parent, proc, 0);
  ASSERT_NE(dlg, nullptr);

  EXPECT_EQ(GetDlgItem(dlg, 4242), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CONTROL_ID_NOT_FOUND));
  WCHAR buf[4] = {u'x', u'x', u'x', 0};
  EXPECT_EQ(GetDlgItemTextW(dlg, 4242, buf, 4), 0u);
  EXPECT_EQ(buf[0], 0);

  struct {
    const char16_t *text;
    BOOL isSigned;
    UINT value;
    BOOL ok;
  } ints[] = {
      {u"42", TRUE, 42, TRUE},
      {u"  -17", TRUE, static_cast<UINT>(-17), TRUE},
      {u"-17", FALSE, 0, FALSE},
      {u"12 ", TRUE, 12, TRUE},
      {u"12abc", TRUE, 0, FALSE},
      {u"", TRUE, 0, FALSE},
      {u"2147483647", TRUE, 2147483647u, TRUE},
      {u"2147483648", TRUE, 0, FALSE},
      {u"4294967295", FALSE, 4294967295u, TRUE},
      {u"4294967296", FALSE, 0, FALSE},
  };
  for (auto &c : ints) {
    SetDlgItemTextW(dlg, kName, reinterpret_cast<LPCWSTR>(c.text));
    BOOL ok = 2;
    EXPECT_EQ(GetDlgItemInt(dlg, kName, &ok, c.isSigned), c.value) << "case " << (&c - ints);
    EXPECT_EQ(ok, c.ok) << "case " << (&c - ints);
  }
  EXPECT_TRUE(SetDlgItemInt(dlg, kName, static_cast<UINT>(-5), TRUE));
  EXPECT_EQ(dialogs::GetText(dlg, kName), "-5");
  EXPECT_TRUE(SetDlgItemInt(dlg, kName, static_cast<UINT>(-5), FALSE));
  EXPECT_EQ(dialogs::GetText(dlg, kName), "4294967291");

  // Automation's SetText types into fields the user could type into, and
  // sets other controls' text directly.
  SendDlgItemMessageW(dlg, kName, EM_SETREADONLY, TRUE, 0);
  EXPECT_FALSE(dialogs::SetText(dlg, kName, "typed"));
  EXPECT_EQ(dialogs::GetText(dlg, kName), "4294967291");
  EXPECT_TRUE(dialogs::SetText(dlg, kLabel, "Label:"));
  EXPECT_EQ(dialogs::GetText(dlg, kLabel), "Label:");
  EXPECT_FALSE(dialogs::SetText(dlg, 4242, "x"));

  EXPECT_TRUE(CheckDlgButton(dlg, kLink, BST_CHECKED));
  EXPECT_EQ(IsDlgButtonChecked(dlg, kLink), static_cast<UINT>(BST_CHECKED));
  EXPECT_FALSE(CheckDlgButton(dlg, 4242, BST_CHECKED));
  EXPECT_EQ(SendDlgItemMessageW(dlg, kAlign, CB_GETCOUNT, 0, 0),
            0);  // this procedure fills nothing
  EXPECT_EQ(SendDlgItemMessageW(dlg, 4242, CB_GETCOUNT, 0, 0), 0);

  // Tab order follows creation order among visible, enabled tab stops.
  HWND name = GetDlgItem(dlg, kName), align = GetDlgItem(dlg, kAlign),
       cancel = GetDlgItem(dlg, IDCANCEL);
  EXPECT_EQ(GetNextDlgTabItem(dlg, name, FALSE), align);
  EXPECT_EQ(GetNextDlgTabItem(dlg, name, TRUE), cancel);  // wraps round
  EnableWindow(align, FALSE);
  EXPECT_EQ(GetNextDlgTabItem(dlg, name, FALSE), GetDlgItem(dlg, kLink));
  DestroyWindow(dlg);
}

}  // namespace
