// Composition through the real Vardo module: from the panel's selected row,
// by dragging a row onto the document, and the timer's drop targets.
#include <gtest/gtest.h>

#include <cstring>

#include "testing/vardoplugintest.h"
#include "vardoglobals.h"
#include "vplatform/clock.h"

namespace vardotest {
namespace {

using Composition = std::vector<std::pair<std::string, int>>;

// `count` record slots s1, s2, ... in file order, each holding one template
// group tK around one script frame fK.
std::string Slots(int count, int from = 1) {
  std::string slots;
  for (int k = from; k < from + count; ++k) {
    const std::string n = std::to_string(k);
    slots += Group("s" + n, Template("t" + n, Frame("f" + n, 10 + 30 * k, 40)));
  }
  return slots;
}

class Composing : public VardoPluginTest {
 protected:
  void SetUp() override {
    VardoPluginTest::SetUp();
    Start();
  }
  VardoGlobals &Globals() { return *static_cast<VardoGlobals *>(Vardo()->globals); }
  vhost::Document *Doc() { return Host().Documents().CurrentDocument(); }
  bool Exists(const std::string &id) { return Doc()->FindArtById(id) != nullptr; }
};

TEST_F(Composing, FromTheSelectedRowAsOneNamedUndoStep) {
  struct Case {
    const char *name;
    std::vector<int> click;  // rows clicked, the later ones with Ctrl
    Composition expected;
  } cases[] = {
      {"row 3", {2}, {{"s1", 3}, {"s2", 4}}},
      {"rows 2 and 4", {1, 3}, {{"s1", 2}, {"s2", 3}}},
      {"no row", {}, {{"s1", 1}, {"s2", 2}}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    Open(Document(Layer("l", Slots(2))));
    Import("data.csv", Table(5));
    for (size_t i = 0; i < c.click.size(); ++i) ClickRow(c.click[i], i > 0);
    Receiver() = ReceiverGlobals{};
    Host().UndoHistory().clear();
    Compose();
    EXPECT_EQ(Composed(), c.expected);
    ASSERT_EQ(Host().UndoHistory().size(), 1u);
    EXPECT_EQ(Host().UndoHistory()[0].undo, "Vardo の取り消し");
    EXPECT_EQ(Host().UndoHistory()[0].redo, "Vardo のやり直し");
    // Each template group was replaced by a copy of its frame.
    EXPECT_FALSE(Exists("t1"));
    EXPECT_FALSE(Exists("f1"));
    EXPECT_TRUE(Exists("s1"));
    Host().Documents().CloseAll();
  }
}

TEST_F(Composing, AHeaderOnlyTableStillComposesAndAnEmptyListDoesNothing) {
  Open(Document(Layer("l", Slots(2))));
  Compose();  // no table: nothing is requested
  EXPECT_EQ(Receiver().count, 0);
  EXPECT_TRUE(Host().UndoHistory().empty());

  Import("header.csv", std::string("a,b\r\n"));
  Compose();
  // The first slot is always composed; then the records are used up.
  EXPECT_EQ(Composed(), (Composition{{"s1", 1}}));
  EXPECT_TRUE(Exists("t2"));
}

TEST_F(Composing, RecordsGoToTheSlotsInFileOrderWithinTheLimits) {
  struct Case {
    const char *name;
    int records, slots, first, last;
    Composition expected;
  } cases[] = {
      {"slots A and B from record 5", 10, 2, 5, 0, {{"s1", 5}, {"s2", 6}}},
      {"three records, ten slots", 3, 10, 1, 0, {{"s1", 1}, {"s2", 2}, {"s3", 3}}},
      {"first 5, last 3", 10, 4, 5, 3, {{"s1", 5}}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    Open(Document(Layer("l", Slots(c.slots))));
    Put("data.csv", Table(c.records));
    Receiver() = ReceiverGlobals{};
    SenderRequest request = ComposeRange("T:\\data.csv");
    request.hasFirst = 1;
    request.first = c.first;
    request.hasLast = 1;
    request.last = c.last;
    Send(request);
    EXPECT_EQ(Composed(), c.expected);
    // The slots beyond the records are neither collapsed nor notified.
    for (int k = static_cast<int>(c.expected.size()) + 1; k <= c.slots; ++k) {
      EXPECT_TRUE(Exists("t" + std::to_string(k))) << k;
    }
    for (int i = 0; i < Receiver().count; ++i) {
      EXPECT_EQ(Receiver().calls[i].link, 1);
      EXPECT_EQ(Receiver().calls[i].cset, 1);
    }
    Host().Documents().CloseAll();
  }
}

TEST_F(Composing, SlotsInTwoLayersAndTheirOrder) {
  Open(Document(Layer("back", Slots(2, 1)) + Layer("front", Slots(2, 3))));
  Put("data.csv", Table(9));
  Send(ComposeRange("T:\\data.csv"));
  EXPECT_EQ(Composed(), (Composition{{"s1", 1}, {"s2", 2}, {"s3", 3}, {"s4", 4}}));
}

TEST_F(Composing, WhatATemplateGroupBecomes) {
  const std::string locked = "sodipodi:insensitive=\"true\"";
  const std::string layers =
      Layer("l",
            // The second frame is preferred; the plain frame is no script frame.
            Group("s1",
                  // (host order runs back to front through the file).
                  Template("t1", Frame("b1", 20, 80, "[b]", "vardotag:vardo2_frame=\"\"") +
                                     Frame("a1", 20, 60) + PlainFrame("p1", 20, 40))) +
                // No script frame, or only a locked one: left as it is, the
                // slot is still composed.
                Group("s2", Template("t2", PlainFrame("p2", 80, 40))) +
                Group("s3", Template("t3", Frame("a3", 120, 40, "[a]", locked))) +
                // A locked template group beside an open one.
                Group("s4", Template("t4", Frame("a4", 160, 40), "t", locked) +
                                Template("u4", Frame("b4", 160, 80))) +
                // An empty vardo2_group value still marks a template group.
                Group("s5", Template("t5", Frame("a5", 200, 40), "")) +
                // A template group inside a template group goes with it.
                Group("s6", Template("t6", Frame("a6", 240, 40) +
                                               Template("n6", Frame("b6", 240, 80))))) +
      Layer("hidden", Slots(1, 7), "style=\"display:none\"") + Layer("locked", Slots(1, 8), locked);
  Open(Document(layers));
  Put("data.csv", Table(20));
  Send(ComposeRange("T:\\data.csv"));
  EXPECT_EQ(Composed(),
            (Composition{{"s1", 1}, {"s2", 2}, {"s3", 3}, {"s4", 4}, {"s5", 5}, {"s6", 6}}));
  EXPECT_FALSE(Exists("t1"));
  EXPECT_TRUE(Exists("b1-1"));
  EXPECT_FALSE(Exists("a1-1"));
  EXPECT_TRUE(Exists("t2"));
  EXPECT_TRUE(Exists("t3"));
  EXPECT_TRUE(Exists("t4"));
  EXPECT_FALSE(Exists("u4"));
  EXPECT_TRUE(Exists("b4-1"));
  EXPECT_FALSE(Exists("t5"));
  EXPECT_TRUE(Exists("a5-1"));
  EXPECT_FALSE(Exists("n6"));
  EXPECT_FALSE(Exists("b6"));
  EXPECT_TRUE(Exists("a6-1"));
  EXPECT_TRUE(Exists("t7"));
  EXPECT_TRUE(Exists("t8"));
}

TEST_F(Composing, ANotificationNobodyRegisteredForReachesNobody) {
  host_.reset();
  vplat::ResetWindowManager();
  host_ = std::make_unique<vhost::Host>();
  Start(false);
  int sent = 0;
  Host().ObserveNotifications([&](const std::string &type, void *) {
    if (type == kEngineNotification) ++sent;
  });
  Open(Document(Layer("l", Slots(2))));
  Import("data.csv", Table(5));
  Compose();
  EXPECT_EQ(sent, 2);
  // The collapse has happened all the same.
  EXPECT_FALSE(Exists("t1"));
  EXPECT_TRUE(Exists("f2-1"));
  EXPECT_TRUE(Host().Alerts().empty());
}

TEST_F(Composing, TheActionWithNothingPendingChangesNothing) {
  Open(Document(Layer("l", Slots(1))));
  Import("data.csv", Table(2));
  EXPECT_EQ(Host().PlayAction("VARDO2_COMPOSE_INSIDECMD", kDialogOff, nullptr), kNoErr);
  EXPECT_EQ(Receiver().count, 0);
  EXPECT_TRUE(Host().UndoHistory().empty());
  EXPECT_TRUE(Exists("t1"));
}

// ---- The timer ------------------------------------------------------------------

TEST_F(Composing, TheTimerKeepsTheDropTargetsAndTheViewGeometry) {
  Open(Document(Layer("l", Frame("free", 300, 40) + Template("loose", Frame("g", 300, 100)) +
                               Slots(1) + Group("empty", PlainFrame("p", 300, 200)))));
  VardoGlobals &g = Globals();
  EXPECT_EQ(g.documentWindow, Host().DocumentWindow());
  const vhost::DocumentView &view = Doc()->View();
  EXPECT_EQ(g.viewZoom, view.zoom);
  EXPECT_EQ(std::memcmp(&g.viewBounds, &view.bounds, sizeof view.bounds), 0);
  RECT client{};
  GetClientRect(g.documentWindow, &client);
  EXPECT_EQ((g.viewBounds.right - g.viewBounds.left) * g.viewZoom, client.right);
  EXPECT_EQ((g.viewBounds.top - g.viewBounds.bottom) * g.viewZoom, client.bottom);

  // Script frames first, then the groups, each pass front to back.
  auto bounds = [&](const char *id) { return Doc()->FindArtById(id)->Bounds(); };
  const AIRealRect expected[] = {bounds("free"), bounds("s1"), bounds("loose")};
  ASSERT_EQ(g.dropTargets.count, 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(std::memcmp(&g.dropTargets.bounds[i], &expected[i], sizeof expected[i]), 0) << i;
  }

  // Without a document the targets stay and the window is forgotten.
  Host().Documents().CloseAll();
  Tick();
  EXPECT_EQ(g.dropTargets.count, 3);
  EXPECT_EQ(g.documentWindow, nullptr);
}

// ---- Drag and drop ----------------------------------------------------------------

class Dragging : public Composing {
 protected:
  // Presses on `row`, moves far enough for the list to begin a drag, and
  // then, inside the panel's drag loop, moves to `to` and releases.
  // Says whether the drag drew its feedback on the screen while it ran,
  // and whether the screen was the same before and after.
  struct DragSeen {
    bool drawn, restored, nothingLeft;
  };
  DragSeen Drag(POINT from, POINT to) {
    // Long after any earlier press, so that this one is no double click.
    vplat::clock::Advance(2'000'000);
    vplat::MoveCursor(from.x, from.y);
    vplat::PressButton();
    vplat::PumpMessages();
    const uint64_t before = vplat::ScreenChecksum();
    const size_t objects = vplat::LiveGdiObjectCount(), dcs = vplat::LiveDcCount();
    uint64_t during = 0;
    vplat::clock::Schedule(120'000, [to] { vplat::MoveCursor(to.x, to.y); });
    vplat::clock::Schedule(250'000, [&during] { during = vplat::ScreenChecksum(); });
    vplat::clock::Schedule(300'000, [] { vplat::ReleaseButton(); });
    vplat::MoveCursor(from.x, from.y + 6);  // past the list's drag threshold
    vplat::PumpMessages();
    const uint64_t after = vplat::ScreenChecksum();
    vplat::PumpMessages();
    return {during != 0 && during != before, before == after,
            objects == vplat::LiveGdiObjectCount() && dcs == vplat::LiveDcCount()};
  }
  void ExpectDrawnAndRestored(const DragSeen &seen, bool drawn = true) {
    EXPECT_EQ(seen.drawn, drawn);
    EXPECT_TRUE(seen.restored);
    EXPECT_TRUE(seen.nothingLeft);  // pen and screen DC let go
  }
  POINT Centre(const char *id) {
    const AIRealRect b = Doc()->FindArtById(id)->Bounds();
    return ScreenPoint((b.left + b.right) / 2, (b.top + b.bottom) / 2);
  }
  POINT RowStart(int row) {
    POINT p = CellPoint(row, 1);
    p.y -= 6;  // the drag begins 6 pixels lower, still on the row
    return p;
  }
};

TEST_F(Dragging, ADropOnATemplateGroupComposesTheDraggedRecordIntoIt) {
  Open(Document(Layer("l", Slots(3))));
  Import("data.csv", Table(5));
  ExpectDrawnAndRestored(Drag(RowStart(3), Centre("s2")));
  EXPECT_EQ(Composed(), (Composition{{"s2", 4}}));
  EXPECT_TRUE(Exists("t1"));
  EXPECT_FALSE(Exists("t2"));
  EXPECT_TRUE(Exists("t3"));
  ASSERT_EQ(Host().UndoHistory().size(), 1u);
  EXPECT_EQ(Host().UndoHistory()[0].undo, "Vardo の取り消し");
}

TEST_F(Dragging, ATemplateGroupInALayerIsNamedByTheCopyOfItsFrame) {
  Open(Document(Layer("l", Template("loose", Frame("g", 100, 100)))));
  Import("data.csv", Table(5));
  ExpectDrawnAndRestored(Drag(RowStart(1), Centre("loose")));
  EXPECT_EQ(Composed(), (Composition{{"g-1", 2}}));
  EXPECT_FALSE(Exists("loose"));
}

// The drop targets are those of the last tick; art that moved since is
// still found when its bounds differ by less than 2 in each value.
TEST_F(Dragging, TheTargetMatchesArtWithin2) {
  struct Case {
    const char *transform;
    int composed;
  } cases[] = {
      {"translate(1.9,1.9)", 1},
      {"translate(-1.9,-1.9)", 1},
      {"translate(2,0)", 0},
      {"translate(0,-2)", 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.transform);
    Open(Document(
        Layer("l", Group("s", Template("t", Frame("f", 120, 100)) +
                                  "<rect x=\"100\" y=\"50\" width=\"100\" height=\"80\"/>"))));
    Import("data.csv", Table(3));
    Receiver() = ReceiverGlobals{};
    const POINT target = Centre("s");
    Doc()->FindArtById("s")->Node().append_attribute("transform").set_value(c.transform);
    ExpectDrawnAndRestored(Drag(RowStart(0), target));
    EXPECT_EQ(Receiver().count, c.composed);
    Host().Documents().CloseAll();
  }
}

TEST_F(Dragging, OfTwoOverlappingTargetsTheFirstWinsAndAMissComposesNothing) {
  // The script frame lies inside the slot's area and comes first.
  Open(Document(Layer(
      "l", Group("s", Template("t", Frame("f", 100, 100)) +
                          "<rect id=\"box\" x=\"50\" y=\"50\" width=\"200\" height=\"150\"/>") +
               Frame("free", 120, 150))));
  Import("data.csv", Table(5));
  ExpectDrawnAndRestored(Drag(RowStart(0), Centre("free")));
  EXPECT_EQ(Composed(), (Composition{{"free", 1}}));
  Receiver() = ReceiverGlobals{};
  ExpectDrawnAndRestored(Drag(RowStart(0), ScreenPoint(380, -290)));  // on the page, on no target
  EXPECT_EQ(Receiver().count, 0);
}

TEST_F(Dragging, TheDragBeginsOnARowAndMovesMoreThanTwoPixels) {
  // A slot drawn under the panel, so that a drag can end on it after a
  // short move.
  Open(Document(
      Layer("l", Group("under", Template("t", Frame("f", 1400, -200)) +
                                    "<rect x=\"1200\" y=\"0\" width=\"700\" height=\"900\"/>"))));
  Import("data.csv", Table(2));
  Tick();
  const POINT start = CellPoint(1, 1);
  struct Case {
    const char *name;
    POINT from;
    int move;
    int composed;
  } cases[] = {
      {"two pixels", RowStart(1), 2, 0},
      {"three pixels", RowStart(1), 3, 1},
      // Pressed on the last row, the drag begins below it: no record.
      {"begun on no row", {start.x, start.y + 4}, 10, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    Receiver() = ReceiverGlobals{};
    const POINT from = c.from;
    const POINT begin{from.x, from.y + 6};
    ExpectDrawnAndRestored(Drag(from, POINT{begin.x + c.move, begin.y}), c.move > 2);
    EXPECT_EQ(Receiver().count, c.composed);
  }
}

}  // namespace
}  // namespace vardotest
