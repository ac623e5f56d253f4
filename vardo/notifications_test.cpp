// The compose-range request and the value lookup, sent to the real Vardo
// module by the test sender.
#include <gtest/gtest.h>

#include "testing/vardoplugintest.h"

namespace vardotest {
namespace {

class Notifications : public VardoPluginTest {
 protected:
  void SetUp() override {
    VardoPluginTest::SetUp();
    Start();
  }
  std::string Slots(int count) {
    std::string slots;
    for (int k = 1; k <= count; ++k) {
      const std::string n = std::to_string(k);
      slots += Group("s" + n, Template("t" + n, Frame("f" + n, 10 + 30 * k, 40)));
    }
    return Document(Layer("l", slots));
  }
  std::vector<int> Records() {
    std::vector<int> records;
    for (int i = 0; i < Receiver().count; ++i) records.push_back(Receiver().calls[i].record);
    return records;
  }
};

TEST_F(Notifications, AComposeRangeRequestLoadsComposesAndAnswers) {
  struct Case {
    const char *name;
    int records, slots;
    bool hasFirst;
    int first;
    bool hasLast;
    int last;
    std::vector<int> composed;
    int answer;
  } cases[] = {
      {"the path only: from 1 up to 999", 3, 2, false, 0, false, 0, {1, 2}, 2},
      {"'torc' 0: up to the end of the table", 3, 5, true, 1, true, 0, {1, 2, 3}, 0},
      {"three records, five slots", 3, 5, true, 1, true, 999, {1, 2, 3}, 0},
      {"ten records, four slots, first 1", 10, 4, true, 1, false, 0, {1, 2, 3, 4}, 4},
      {"then first 5", 10, 4, true, 5, false, 0, {5, 6, 7, 8}, 4},
      {"then first 9", 10, 4, true, 9, false, 0, {9, 10}, 0},
      {"a last record of 2", 10, 4, true, 1, true, 2, {1, 2}, 2},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    Open(Slots(c.slots));
    Put("data.csv", Table(c.records));
    Receiver() = ReceiverGlobals{};
    SenderRequest request = ComposeRange("T:\\data.csv");
    request.hasFirst = c.hasFirst;
    request.first = c.first;
    request.hasLast = c.hasLast;
    request.last = c.last;
    const SenderRequest answer = Send(request);
    EXPECT_EQ(Records(), c.composed);
    ASSERT_TRUE(answer.hasComposed);
    EXPECT_EQ(answer.composed, c.answer);
    // The panel shows what the request loaded.
    EXPECT_EQ(RowCount(), c.records);
    Host().Documents().CloseAll();
  }
}

TEST_F(Notifications, ARequestThatLoadsNothingAnswersZeroAndTouchesNothing) {
  Open(Slots(2));
  Import("kept.csv", Table(4));
  const std::string before = Host().Documents().CurrentDocument()->Serialize();
  // 547 bytes once encoded: more than the 511 the receiver takes.
  const std::string encodedTooLong = "T:\\" + std::string(180, '\xe6') + ".csv";
  struct Case {
    const char *name;
    SenderRequest request;
  } cases[] = {
      {"an empty path", ComposeRange("")},
      {"no path",
       [] {
         SenderRequest r = ComposeRange("");
         r.hasPath = 0;
         return r;
       }()},
      {"a missing file", ComposeRange("T:\\missing.csv")},
      {"a path too long for the receive buffer", ComposeRange(encodedTooLong)},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    const SenderRequest answer = Send(c.request);
    ASSERT_TRUE(answer.hasComposed);
    EXPECT_EQ(answer.composed, 0);
    EXPECT_EQ(Receiver().count, 0);
    EXPECT_EQ(Host().Documents().CurrentDocument()->Serialize(), before);
    EXPECT_EQ(RowCount(), 4);
    EXPECT_STREQ(Send(Lookup(4, "c")).value, "r4c");
  }
}

TEST_F(Notifications, TheValueLookupAnswersFromTheLoadedTable) {
  Import("data.csv", std::string("name,,name,price\r\nA,x,B,100%\r\n価格,y,C,\r\n"));
  struct Case {
    const char *name;
    SenderRequest request;
    bool answered;
    std::string value;
  } cases[] = {
      {"a field", Lookup(1, "price"), true, "100%"},
      {"UTF-8 on both sides", Lookup(2, "name"), true, "価格"},
      {"the first of two equal headers", Lookup(1, "name"), true, "A"},
      {"an empty header is @ and its column", Lookup(2, "@1"), true, "y"},
      {"an empty field", Lookup(2, "price"), true, ""},
      {"a record beyond the table", Lookup(9, "price"), true, ""},
      {"record 0", Lookup(0, "name"), false, ""},
      {"a negative record", Lookup(-1, "name"), false, ""},
      {"an unknown column", Lookup(1, "Price"), false, ""},
      {"an empty name", Lookup(1, ""), false, ""},
      {"no record number",
       [] {
         SenderRequest r = Lookup(1, "name");
         r.hasRecord = 0;
         return r;
       }(),
       false, ""},
      {"a name too long for the receive buffer", Lookup(1, std::string(300, 'n')), false, ""},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    const SenderRequest answer = Send(c.request);
    EXPECT_EQ(answer.hasValue != 0, c.answered);
    if (c.answered) {
      EXPECT_EQ(answer.value, c.value);
    }
  }
}

TEST_F(Notifications, NoTableNoAnswer) { EXPECT_FALSE(Send(Lookup(1, "a")).hasValue); }

}  // namespace
}  // namespace vardotest
