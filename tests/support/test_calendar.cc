// Calendar helpers: leap years, day numbers both ways over the whole range,
// week numbers against ISO 8601 with their two known differences, the clock
// of the fixed UTC+1 zone, and the names.
#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>

#include "g_time.h"

namespace {

TEST(Calendar, LeapYears) {
  struct Case {
    int year, leap;
  } cases[] = {{1900, 0}, {2000, 1}, {2024, 1}, {2023, 0}, {1, 0}, {4, 1}, {100, 0}, {400, 1}, {2100, 0}};
  for (auto const& c : cases) EXPECT_EQ(g_annee_bissextile(c.year), c.leap) << c.year;
}

TEST(Calendar, DaysBeforeEachMonth) {
  int commun[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  for (int m = 1; m <= 12; ++m) {
    EXPECT_EQ(g_nb_jours_annee_courante(1, m, 2023), commun[m - 1]) << m;
    EXPECT_EQ(g_nb_jours_annee_courante(1, m, 2024), commun[m - 1] + (m > 2 ? 1 : 0)) << m;
  }
  EXPECT_EQ(g_nb_jours_annee_courante(31, 12, 2024), 365);
}

TEST(Calendar, DayNumbers) {
  EXPECT_EQ(g_nb_jours(1, 1, 1970), 719526);
  EXPECT_EQ(g_nb_jours(1, 1, 1), 364);
  EXPECT_EQ(g_nb_jours(31, 2, 2023), g_nb_jours(3, 3, 2023));
  EXPECT_EQ(719526 % 7, 3);  // a Thursday
  struct Case {
    int d, m, y;
  } refuses[] = {{0, 1, 2000}, {1, 13, 2000}, {32, 1, 2000}, {1, 1, 0},
                 {1, 0, 2000}, {1, 1, -5},    {-1, 1, 2000}};
  for (auto const& c : refuses) EXPECT_EQ(g_nb_jours(c.d, c.m, c.y), -1) << c.d << "/" << c.m << "/" << c.y;
}

// The number of a date beyond 32 bits is refused instead of wrapping: the
// last day that fits is 13 July 5879610.
TEST(Calendar, DayNumbersThatWouldOverflow) {
  EXPECT_EQ(g_nb_jours(13, 7, 5879610), INT32_MAX);
  struct Case {
    int d, m, y;
  } cases[] = {{14, 7, 5879610}, {1, 1, 5879611}, {31, 12, 5883516}, {1, 1, 5883517}, {31, 12, INT32_MAX}};
  for (auto const& c : cases) EXPECT_EQ(g_nb_jours(c.d, c.m, c.y), -1) << c.d << "/" << c.m << "/" << c.y;
}

// Days since 1 January 1970 of a date, from the C library, as an oracle.
int64_t jours_depuis_1970(int d, int m, int y) {
  std::tm t = {};
  t.tm_mday = d;
  t.tm_mon = m - 1;
  t.tm_year = y - 1900;
  t.tm_hour = 12;
  return (static_cast<int64_t>(timegm(&t)) - 43200) / 86400;  // exact: noon of that day
}

TEST(Calendar, DayNumbersAgreeWithTheCLibrary) {
  for (int y = 1600; y <= 2400; y += 7)
    for (int m = 1; m <= 12; ++m)
      for (int d : {1, 15, 28})
        ASSERT_EQ(g_nb_jours(d, m, y) - 719526, jours_depuis_1970(d, m, y)) << d << "/" << m << "/" << y;
}

int longueur_mois(int m, int y) {
  int l[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && g_annee_bissextile(y) ? 29 : l[m - 1];
}

// Every number from 1 January of year 1 gives a valid date that converts
// back to the same number, the next number giving the next day.
void aller_retour(int n) {
  int d, m, y;
  g_datecomplete(n, &d, &m, &y);
  ASSERT_GE(y, 1) << n;
  ASSERT_TRUE(m >= 1 && m <= 12 && d >= 1 && d <= longueur_mois(m, y))
      << n << ": " << d << "/" << m << "/" << y;
  ASSERT_EQ(g_nb_jours(d, m, y), n) << d << "/" << m << "/" << y;
}

TEST(Calendar, DateOfEveryDayNumber) {
  for (int n = 364; n <= 1930400; ++n) aller_retour(n);
  for (int64_t n = 1930400; n <= INT32_MAX; n += 9973) aller_retour(static_cast<int>(n));
  for (int n = INT32_MAX - 800; n < INT32_MAX; ++n) aller_retour(n);
  aller_retour(INT32_MAX);
  int d, m, y;
  g_datecomplete(719526, &d, &m, &y);
  EXPECT_EQ(d * 1000000 + m * 10000 + y, 1011970);
  g_datecomplete(g_nb_jours(29, 2, 2000), &d, &m, &y);
  EXPECT_EQ(d * 1000000 + m * 10000 + y, 29022000);
  g_datecomplete(g_nb_jours(31, 12, 9999), &d, &m, &y);
  EXPECT_EQ(d * 1000000 + m * 10000 + y, 31129999);
  for (int n : {363, 0, -1, INT32_MIN}) {
    g_datecomplete(n, &d, &m, &y);
    EXPECT_EQ(d + m + y, 0) << n;
    EXPECT_EQ(g_numero_semaine(n), 0) << n;
  }
}

TEST(Calendar, WeekNumbers) {
  struct Case {
    int d, m, y, semaine;
  } cases[] = {{1, 1, 2021, 0},    {3, 1, 2021, 0},    {4, 1, 2021, 1},    {1, 1, 2026, 1},
               {31, 12, 2024, 53}, {29, 12, 2025, 53}, {31, 12, 2025, 53}, {1, 1, 2024, 1},
               {7, 1, 2024, 1},    {8, 1, 2024, 2},    {28, 12, 2020, 53}, {31, 12, 2020, 53}};
  for (auto const& c : cases)
    EXPECT_EQ(g_numero_semaine(g_nb_jours(c.d, c.m, c.y)), c.semaine) << c.d << "/" << c.m << "/" << c.y;
}

// ISO 8601 weeks from the C library: the same week where the ISO year is the
// date's own; week 0 before the first week; in late December the numbering
// of the year goes on where ISO starts the next year's week 1.
TEST(Calendar, WeekNumbersAgainstIso) {
  for (int n = g_nb_jours(1, 1, 1950); n <= g_nb_jours(31, 12, 2060); ++n) {
    std::time_t t = static_cast<std::time_t>(n - 719526) * 86400 + 43200;
    std::tm tm;
    gmtime_r(&t, &tm);
    char iso[16];
    std::strftime(iso, sizeof iso, "%G %V", &tm);
    int annee_iso = 0, semaine_iso = 0;
    std::sscanf(iso, "%d %d", &annee_iso, &semaine_iso);
    int annee = tm.tm_year + 1900;
    int attendu = annee_iso == annee ? semaine_iso : annee_iso < annee ? 0 : g_numero_semaine(n - 7) + 1;
    ASSERT_EQ(g_numero_semaine(n), attendu)
        << iso << " on " << tm.tm_mday << "/" << tm.tm_mon + 1 << "/" << annee;
  }
}

struct date_heure {
  int s, mi, h, d, mo, y;
  bool operator==(date_heure const& o) const {
    return s == o.s && mi == o.mi && h == o.h && d == o.d && mo == o.mo && y == o.y;
  }
};
std::ostream& operator<<(std::ostream& os, date_heure const& t) {
  return os << t.d << "/" << t.mo << "/" << t.y << " " << t.h << ":" << t.mi << ":" << t.s;
}

date_heure de_secondes(int64_t secondes) {
  date_heure t;
  g_date_heure_de_secondes(secondes, &t.s, &t.mi, &t.h, &t.d, &t.mo, &t.y);
  return t;
}

// The zone is UTC+1 all year round; the seconds do not wrap in 2038.
TEST(Calendar, CivilTimeOfTheFixedZone) {
  struct Case {
    int64_t secondes;
    date_heure attendu;
  } cases[] = {
      {1735687800, {0, 30, 0, 1, 1, 2025}},    // 31 December 2024 23:30:00 UTC
      {1720000000, {40, 46, 10, 3, 7, 2024}},  // 3 July 2024 09:46:40 UTC: no summer time
      {0, {0, 0, 1, 1, 1, 1970}},
      {82799, {59, 59, 23, 1, 1, 1970}},
      {2147483647, {7, 14, 4, 19, 1, 2038}},  // the last second of 32 bits
      {2147483648LL, {8, 14, 4, 19, 1, 2038}},
      {4102444800LL, {0, 0, 1, 1, 1, 2100}},
      {-3600, {0, 0, 0, 1, 1, 1970}},
      {-3601, {59, 59, 23, 31, 12, 1969}},
  };
  for (auto const& c : cases) EXPECT_EQ(de_secondes(c.secondes), c.attendu) << c.secondes;
  static_assert(sizeof(g_timeval().tv_sec) == 8, "seconds in 64 bits");
}

TEST(Calendar, TodayFromTheClock) {
  g_timeval avant, apres;
  g_gettimeofday(&avant);
  date_heure t;
  g_date_aujourdhui(&t.s, &t.mi, &t.h, &t.d, &t.mo, &t.y);
  g_gettimeofday(&apres, nullptr);
  EXPECT_GE(avant.tv_usec, 0);
  EXPECT_LT(avant.tv_usec, 1000000);
  EXPECT_GT(avant.tv_sec, 1700000000);
  EXPECT_TRUE(t == de_secondes(avant.tv_sec) || t == de_secondes(apres.tv_sec)) << t;
  std::time_t maintenant = static_cast<std::time_t>(avant.tv_sec);
  EXPECT_LE(std::abs(static_cast<double>(std::time(nullptr) - maintenant)), 2.0);
}

TEST(Calendar, Names) {
  EXPECT_EQ(g_time_jour(0), "Lundi");
  EXPECT_EQ(g_time_jour(3), "Jeudi");
  EXPECT_EQ(g_time_jour(6), "Dimanche");
  EXPECT_EQ(g_time_jour(7), "");
  EXPECT_EQ(g_time_jour(-1), "");
  EXPECT_EQ(g_time_mois(0), "Janvier");
  EXPECT_EQ(g_time_mois(1), "Fevrier");
  EXPECT_EQ(g_time_mois(7), "Aout");
  EXPECT_EQ(g_time_mois(11), "Decembre");
  EXPECT_EQ(g_time_mois(12), "");
  EXPECT_EQ(g_time_mois(INT32_MIN), "");
  EXPECT_EQ(g_time_jour(g_nb_jours(1, 1, 1970) % 7), "Jeudi");
}

}  // namespace
