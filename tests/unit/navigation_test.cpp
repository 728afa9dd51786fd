#include "calendar/navigation.h"

#include <gtest/gtest.h>

namespace {

using G = GregorianDate;

TEST(Navigation, MonthSteps) {
  EXPECT_EQ(NextMonth(G{31, 1, 2024}), (G{29, 2, 2024}));  // leap year
  EXPECT_EQ(NextMonth(G{31, 1, 2023}), (G{28, 2, 2023}));
  EXPECT_EQ(NextMonth(G{31, 1, 1900}), (G{28, 2, 1900}));  // not a leap year
  EXPECT_EQ(NextMonth(G{15, 12, 2024}), (G{15, 1, 2025}));
  EXPECT_EQ(PreviousMonth(G{31, 3, 2024}), (G{29, 2, 2024}));
  EXPECT_EQ(PreviousMonth(G{10, 1, 2024}), (G{10, 12, 2023}));
  EXPECT_EQ(PreviousMonth(G{31, 5, 2024}), (G{30, 4, 2024}));
  // The ends of the range do not move.
  EXPECT_EQ(PreviousMonth(G{5, 1, 1583}), (G{5, 1, 1583}));
  EXPECT_EQ(NextMonth(G{5, 12, 3000}), (G{5, 12, 3000}));
  EXPECT_EQ(PreviousMonth(G{5, 2, 1583}), (G{5, 1, 1583}));
  EXPECT_EQ(NextMonth(G{5, 11, 3000}), (G{5, 12, 3000}));
}

TEST(Navigation, DaySteps) {
  EXPECT_EQ(StepDays(G{31, 12, 2024}, 1), (G{1, 1, 2025}));
  EXPECT_EQ(StepDays(G{1, 1, 2025}, -1), (G{31, 12, 2024}));
  EXPECT_EQ(StepDays(G{28, 2, 2024}, 1), (G{29, 2, 2024}));
  EXPECT_EQ(StepDays(G{26, 2, 2023}, 7), (G{5, 3, 2023}));
  EXPECT_EQ(StepDays(G{3, 3, 2024}, -7), (G{25, 2, 2024}));
  // Day steps are not bounded by the year range.
  EXPECT_EQ(StepDays(G{31, 12, 3000}, 1), (G{1, 1, 3001}));
  EXPECT_EQ(StepDays(G{1, 1, 1583}, -1), (G{31, 12, 1582}));
}

TEST(Navigation, MonthYearChangesAndToday) {
  EXPECT_EQ(WithMonthYear(G{31, 1, 2024}, 4, 2024), (G{30, 4, 2024}));
  EXPECT_EQ(WithMonthYear(G{29, 2, 2024}, 2, 2023), (G{28, 2, 2023}));
  EXPECT_EQ(WithMonthYear(G{29, 2, 2024}, 2, 1000), (G{28, 2, 1583}));
  EXPECT_EQ(WithMonthYear(G{29, 2, 2024}, 2, 4000), (G{28, 2, 3000}));
  // A clock year outside the range opens on the clamped year with today's day and month.
  EXPECT_EQ(ClampedToday(6, 12, 3050), (G{6, 12, 3000}));
  EXPECT_EQ(ClampedToday(29, 2, 1500), (G{28, 2, 1583}));
  EXPECT_EQ(ClampedToday(6, 12, 2026), (G{6, 12, 2026}));
}

}  // namespace
