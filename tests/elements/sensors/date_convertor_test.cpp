#include "elements/sensors/date_convertor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "runtime/cp1251.h"
#include "runtime/date_time.h"
#include "tests/support/probe.h"
#include "tests/support/runtime_fixture.h"

namespace lumi {
namespace {

CalendarTime At(int32_t year, int32_t month, int32_t day, int32_t hour = 0, int32_t minute = 0,
                int32_t second = 0, int32_t millisecond = 0) {
  return CalendarTime{year, month, day, hour, minute, second, millisecond, 0};
}

double ValueOf(const CalendarTime& t) { return CalendarToValue(t).value_or(0.0); }

TEST(DateValues, KnownDates) {
  EXPECT_EQ(ValueOf(At(1, 1, 1)), 1.0);
  EXPECT_EQ(ValueOf(At(2026, 12, 7, 12)), 739957.5);
  EXPECT_EQ(ValueOf(At(1, 1, 1, 12)) - 1.0, 0.5);
  EXPECT_EQ(ValueOf(At(9999, 12, 31)), 3652059.0);

  auto monday = ValueToCalendar(739957.5);
  ASSERT_TRUE(monday);
  EXPECT_EQ(*monday, (CalendarTime{2026, 12, 7, 12, 0, 0, 0, 1}));
  EXPECT_EQ(ValueToCalendar(1.0)->day_of_week, 1);  // 1 January 0001 was a Monday
}

TEST(DateValues, LeapYears) {
  EXPECT_EQ(ValueOf(At(2000, 3, 1)) - ValueOf(At(2000, 2, 29)), 1.0);
  EXPECT_EQ(ValueOf(At(2000, 2, 29)) - ValueOf(At(2000, 2, 28)), 1.0);
  EXPECT_EQ(ValueOf(At(1900, 3, 1)) - ValueOf(At(1900, 2, 28)), 1.0);
  EXPECT_FALSE(CalendarToValue(At(1900, 2, 29)));
  EXPECT_FALSE(CalendarToValue(At(2023, 2, 29)));
  EXPECT_TRUE(CalendarToValue(At(2024, 2, 29)));
}

TEST(DateValues, FieldsThatNameNoMomentAreRejected) {
  EXPECT_FALSE(CalendarToValue(At(10000, 1, 1)));
  EXPECT_FALSE(CalendarToValue(At(2026, 13, 1)));
  EXPECT_FALSE(CalendarToValue(At(2026, 4, 31)));
  EXPECT_FALSE(CalendarToValue(At(2026, 1, 1, 24)));
  EXPECT_FALSE(CalendarToValue(At(2026, 1, 1, 0, 60)));
  EXPECT_FALSE(CalendarToValue(At(2026, 1, 1, 0, 0, 60)));
  EXPECT_FALSE(CalendarToValue(At(2026, 1, 1, 0, 0, 0, 1000)));

  EXPECT_FALSE(ValueToCalendar(0.0));
  EXPECT_FALSE(ValueToCalendar(0.999));
  EXPECT_FALSE(ValueToCalendar(-5.0));
  EXPECT_FALSE(ValueToCalendar(std::nan("")));
  EXPECT_FALSE(ValueToCalendar(std::numeric_limits<double>::infinity()));
}

TEST(DateValues, EveryDayOfTheCalendarRoundTrips) {
  // Walks the calendar day by day with the month table alone and checks both
  // directions against the walk, 400-, 100- and 4-year boundaries included.
  CalendarTime walk = At(1, 1, 1, 18, 30, 15, 250);
  int32_t weekday = 1;
  for (int64_t day = 1; day <= 3652059; ++day) {
    const double value = static_cast<double>(day) + 66615250.0 / 86400000.0;
    std::optional<CalendarTime> fields = ValueToCalendar(value);
    ASSERT_TRUE(fields) << day;
    walk.day_of_week = weekday;
    ASSERT_EQ(*fields, walk) << day;
    ASSERT_EQ(ValueOf(walk), value) << day;

    weekday = (weekday + 1) % 7;
    if (++walk.day > DaysInMonth(walk.year, walk.month)) {
      walk.day = 1;
      if (++walk.month > 12) {
        walk.month = 1;
        ++walk.year;
      }
    }
  }
  EXPECT_EQ(walk.year, 10000);
}

TEST(DateValues, TimeOfDayRoundsToTheNearestMillisecond) {
  auto t = ValueToCalendar(ValueOf(At(2026, 12, 7, 14, 5, 9, 999)));
  ASSERT_TRUE(t);
  EXPECT_EQ(*t, (CalendarTime{2026, 12, 7, 14, 5, 9, 999, 1}));
  // Just short of midnight rounds up into the next day.
  auto next = ValueToCalendar(739957.0 + 0.9999999999);
  ASSERT_TRUE(next);
  EXPECT_EQ(*next, (CalendarTime{2026, 12, 8, 0, 0, 0, 0, 2}));
}

TEST(DateFormat, TokensAndLiterals) {
  const DateNames english;
  const CalendarTime t{2026, 12, 7, 14, 5, 9, 0, 1};
  EXPECT_EQ(FormatDateTime("dd-MM-yyyy HH:mm:ss", t, english), "07-12-2026 14:05:09");
  EXPECT_EQ(FormatDateTime("HH:mm:ss dd-MM-yyyy", t, english), "14:05:09 07-12-2026");
  EXPECT_EQ(FormatDateTime("d M y yy H m s", t, english), "7 12 26 26 14 5 9");
  EXPECT_EQ(FormatDateTime("ddd dddd ddddd MMM MMMM", t, english), "Mon Monday Monday Dec December");
  EXPECT_EQ(FormatDateTime("h hh t tt", t, english), "2 02 P PM");
  EXPECT_EQ(FormatDateTime("h tt", CalendarTime{2026, 1, 1, 0, 0, 0, 0, 4}, english), "12 AM");
  EXPECT_EQ(FormatDateTime("d/M/yy yyyy", CalendarTime{9, 3, 5, 0, 0, 0, 0, 0}, english), "5/3/09 0009");
  EXPECT_EQ(FormatDateTime("'at' HH 'o''clock' ''x'' 'dd", t, english), "at 14 o'clock 'x' dd");
  EXPECT_EQ(FormatDateTime("D Y, x!", t, english), "D Y, x!");
  EXPECT_EQ(FormatDateTime("", t, english), "");
}

TEST(DateFormat, NamesAreNeverReadAsTokens) {
  DateNames russian;
  russian.months[11] = cp1251::FromUtf8("декабря");
  russian.days[1] = cp1251::FromUtf8("понедельник");
  russian.am = "am";
  russian.pm = "pm";
  const CalendarTime t{2026, 12, 7, 14, 5, 9, 0, 1};
  EXPECT_EQ(FormatDateTime("dddd, d MMMM yyyy, HH:mm", t, russian),
            cp1251::FromUtf8("понедельник, 7 декабря 2026, 14:05"));
  EXPECT_EQ(FormatDateTime("MMMM dddd tt", t, DateNames{}), "December Monday PM");
}

class DateConvertorTest : public test::RuntimeTest {
 protected:
  void SetUp() override {
    test::RuntimeTest::SetUp();
    convertor_.Format = "dd-MM-yyyy HH:mm:ss";
    convertor_.OnResult = test::ToProbe(&probe_);
  }

  void Convert(TData incoming = {}) { Fire(Link<&TElDateConvertor::Convert>(&convertor_), incoming); }

  Text Kept() {
    TData out;
    convertor_.OutResult(out, 0);
    EXPECT_EQ(out.type, DataType::String);
    return out.AsString();
  }

  TElDateConvertor convertor_;
  test::Probe probe_;
};

TEST_F(DateConvertorTest, FormatsTheLinkedValue) {
  test::Source source(TData::Real(ValueOf(At(2026, 12, 7, 14, 5, 9))));
  convertor_.InDateTime = test::FromSource(&source);
  Convert();
  ASSERT_EQ(probe_.Count(), 1u);
  EXPECT_EQ(probe_.Last().type, DataType::String);
  EXPECT_EQ(probe_.Last().AsString(), "07-12-2026 14:05:09");
  EXPECT_EQ(Kept(), "07-12-2026 14:05:09");
  EXPECT_EQ(convertor_.LastValue(), source.value.real);

  convertor_.Format = "HH:mm:ss dd-MM-yyyy";
  Convert();
  EXPECT_EQ(probe_.Last().AsString(), "14:05:09 07-12-2026");
}

TEST_F(DateConvertorTest, UnlinkedInputTakesTheIncomingValue) {
  Convert(TData::Real(739957.5));
  ASSERT_EQ(probe_.Count(), 1u);
  EXPECT_EQ(probe_.Last().AsString(), "07-12-2026 12:00:00");
}

TEST_F(DateConvertorTest, ValuesWithoutACalendarDateGiveTheEmptyText) {
  Convert(TData::Real(739957.5));
  Convert();  // nothing linked, nothing incoming: 0
  ASSERT_EQ(probe_.Count(), 2u);
  EXPECT_EQ(probe_.Last().type, DataType::String);
  EXPECT_EQ(probe_.Last().AsString(), "");
  EXPECT_EQ(Kept(), "");
  EXPECT_EQ(convertor_.LastValue(), 0.0);

  Convert(TData::Real(0.5));
  Convert(TData::Real(std::nan("")));
  Convert(TData::Real(-std::numeric_limits<double>::infinity()));
  ASSERT_EQ(probe_.Count(), 5u);
  EXPECT_EQ(probe_.Last().AsString(), "");
}

TEST_F(DateConvertorTest, ValuesPastTheLastDateFireNothing) {
  Convert(TData::Real(739957.5));
  Convert(TData::Real(202751590.0));
  Convert(TData::Real(std::numeric_limits<double>::infinity()));
  EXPECT_EQ(probe_.Count(), 1u);
  EXPECT_EQ(convertor_.LastValue(), std::numeric_limits<double>::infinity());
  EXPECT_EQ(Kept(), "07-12-2026 12:00:00");  // the earlier result stays

  // The last accepted value still names a date, far past year 9999.
  Convert(TData::Real(202751589.0));
  ASSERT_EQ(probe_.Count(), 2u);
  EXPECT_EQ(probe_.Last().AsString().size(), 21u);  // six-digit year
}

}  // namespace
}  // namespace lumi
