#include "vardoplugintest.h"

#include <cstdio>

#include "text.h"
#include "vplatform/clock.h"

namespace vardotest {

namespace {

const std::string kBuild = VARDO_BUILD_DIR;

std::string Utf8(const std::u16string &text) { return vhost::Utf8FromUtf16(text.c_str()); }

}  // namespace

std::string Frame(const std::string &id, double x, double y, const std::string &script,
                  const std::string &attributes) {
  char head[256];
  std::snprintf(head, sizeof head, "<text id=\"%s\" x=\"%g\" y=\"%g\" style=\"font-size:10px\" ",
                id.c_str(), x, y);
  return head + std::string("vardotag:vardo2_script=\"") + script + "\" " + attributes + ">" + id +
         "</text>\n";
}

std::string PlainFrame(const std::string &id, double x, double y) {
  char text[256];
  std::snprintf(text, sizeof text,
                "<text id=\"%s\" x=\"%g\" y=\"%g\" style=\"font-size:10px\">%s</text>\n",
                id.c_str(), x, y, id.c_str());
  return text;
}

std::string Group(const std::string &id, const std::string &inner, const std::string &attributes) {
  return "<g id=\"" + id + "\" " + attributes + ">\n" + inner + "</g>\n";
}

std::string Template(const std::string &id, const std::string &inner, const std::string &value,
                     const std::string &attributes) {
  return Group(id, inner, "vardotag:vardo2_group=\"" + value + "\" " + attributes);
}

std::string Layer(const std::string &id, const std::string &inner, const std::string &attributes) {
  return Group(id, inner, "inkscape:groupmode=\"layer\" " + attributes);
}

std::string Document(const std::string &layers) {
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"400\" height=\"300\" viewBox=\"0 0 400 "
         "300\"\n"
         " xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\"\n"
         " xmlns:sodipodi=\"http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd\"\n"
         " xmlns:vardotag=\"urn:vardo:tag:1\">\n" +
         layers + "</svg>\n";
}

std::string Table(int records) {
  std::string text = "a,b,c\r\n";
  for (int r = 1; r <= records; ++r) {
    char line[64];
    std::snprintf(line, sizeof line, "r%da,r%db,r%dc\r\n", r, r, r);
    text += line;
  }
  return text;
}

void VardoPluginTest::SetUp() {
  TestProfile::SetUp();
  vplat::ResetWindowManager();
  vplat::dialogs::Reset();
  host_ = std::make_unique<vhost::Host>();
}

void VardoPluginTest::TearDown() {
  host_.reset();
  vplat::dialogs::Reset();
  vplat::ResetWindowManager();
  TestProfile::TearDown();
}

void VardoPluginTest::Start(bool withTestModules) {
  std::string error;
  vardo_ = host_->LoadPlugin(kBuild + "/plugins/Vardo.aip", &error);
  ASSERT_NE(vardo_, nullptr) << error;
  if (withTestModules) {
    receiver_ = host_->LoadPlugin(kBuild + "/testplugins/VardoTestReceiver.aip", &error);
    ASSERT_NE(receiver_, nullptr) << error;
    ASSERT_NE(host_->LoadPlugin(kBuild + "/testplugins/VardoTestSender.aip", &error), nullptr)
        << error;
  }
  host_->StartPlugins();
}

ReceiverGlobals &VardoPluginTest::Receiver() {
  static ReceiverGlobals none{};
  if (!receiver_ || !receiver_->globals) return none;
  return *static_cast<ReceiverGlobals *>(receiver_->globals);
}

HWND VardoPluginTest::PanelWindow() {
  vhost::Panel *panel = Panel();
  return panel ? panel->window : nullptr;
}

HWND VardoPluginTest::List() {
  HWND window = PanelWindow();
  return window ? vplat::FindChildById(window, 1001) : nullptr;
}

vhost::Document *VardoPluginTest::Open(const std::string &svg, const std::string &name) {
  Put(name, svg);
  ASErr status = kNoErr;
  std::string error;
  vhost::Document *doc = host_->Documents().Open(Linux(name), false, &status, &error);
  EXPECT_NE(doc, nullptr) << error;
  Tick();
  return doc;
}

void VardoPluginTest::Tick() { host_->RunTicks(12); }

void VardoPluginTest::Import(const std::string &name, const std::string *bytes) {
  if (bytes) Put(name, *bytes);
  const std::string path = Linux(name);
  vplat::dialogs::OnFileDialog(
      [path](const vplat::dialogs::FileDialogRequest &, std::string &chosen) {
        chosen = path;
        return true;
      });
  EXPECT_TRUE(host_->ChooseFlyoutItem(kPanelId, 1));
  vplat::dialogs::OnFileDialog(vplat::dialogs::FileDialogPathHandler());
}

void VardoPluginTest::Export(const std::string &name) {
  const std::string path = Linux(name);
  vplat::dialogs::OnFileDialog(
      [path](const vplat::dialogs::FileDialogRequest &, std::string &chosen) {
        chosen = path;
        return true;
      });
  EXPECT_TRUE(host_->ChooseFlyoutItem(kPanelId, 2));
  vplat::dialogs::OnFileDialog(vplat::dialogs::FileDialogPathHandler());
}

std::vector<std::string> VardoPluginTest::ColumnTitles() {
  std::vector<std::string> titles;
  for (int c = 0;; ++c) {
    char16_t text[512] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = reinterpret_cast<LPWSTR>(text);
    column.cchTextMax = 512;
    if (!SendMessageW(List(), LVM_GETCOLUMNW, c, reinterpret_cast<LPARAM>(&column))) break;
    titles.push_back(Utf8(text));
  }
  return titles;
}

int VardoPluginTest::RowCount() {
  return static_cast<int>(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0));
}

std::string VardoPluginTest::Cell(int row, int column) {
  std::u16string text(40000, u'\0');
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = reinterpret_cast<LPWSTR>(text.data());
  item.cchTextMax = static_cast<int>(text.size());
  SendMessageW(List(), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  return Utf8(text.c_str());
}

POINT VardoPluginTest::CellPoint(int row, int column) {
  RECT r{};
  r.top = column;
  r.left = LVIR_BOUNDS;
  SendMessageW(List(), LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&r));
  // Near the cell's left end: cells of 400 pixels reach beyond the panel.
  POINT p{r.left + 10, (r.top + r.bottom) / 2};
  ClientToScreen(List(), &p);
  return p;
}

void VardoPluginTest::ClickRow(int row, bool control) {
  vplat::clock::Advance(2'000'000);  // no double click with an earlier press
  const POINT p = CellPoint(row, 0);
  if (control) vplat::KeyDown(VK_CONTROL);
  vplat::ClickAt(p.x, p.y);
  vplat::PumpMessages();
  if (control) vplat::KeyUp(VK_CONTROL);
  vplat::PumpMessages();
}

std::vector<std::pair<std::string, int>> VardoPluginTest::Composed() {
  std::vector<std::pair<std::string, int>> composed;
  const ReceiverGlobals &r = Receiver();
  for (int i = 0; i < r.count && i < kReceiverCallMax; ++i) {
    vhost::Art *art = host_->Documents().FindArtByLow32(static_cast<uint32_t>(r.calls[i].slot));
    composed.emplace_back(art ? art->Id() : std::string("(gone)"), r.calls[i].record);
  }
  return composed;
}

POINT VardoPluginTest::ScreenPoint(double x, double y) {
  vhost::Document *doc = host_->Documents().CurrentDocument();
  const vhost::DocumentView &view = doc->View();
  POINT p{static_cast<LONG>((x - view.bounds.left) * view.zoom),
          static_cast<LONG>((view.bounds.top - y) * view.zoom)};
  ClientToScreen(host_->DocumentWindow(), &p);
  return p;
}

SenderRequest VardoPluginTest::Send(SenderRequest request) {
  host_->Notify(kSenderNotification, &request);
  return request;
}

SenderRequest ComposeRange(const std::string &path) {
  SenderRequest r{};
  r.kind = kSendComposeRange;
  r.encode = 1;
  r.hasPath = 1;
  std::snprintf(r.path, sizeof r.path, "%s", path.c_str());
  r.initialComposed = -7;
  return r;
}

SenderRequest Lookup(int record, const std::string &name) {
  SenderRequest r{};
  r.kind = kSendLookup;
  r.encode = 1;
  r.hasRecord = 1;
  r.record = record;
  r.hasName = 1;
  std::snprintf(r.name, sizeof r.name, "%s", name.c_str());
  return r;
}

}  // namespace vardotest
