// Calendar helpers: leap years, day numbers and back, week numbers, today's
// date and the French day and month names.
#include <cstdint>

#include "g_platform.h"
#include "g_time.h"

std::string internal_g_time_jour[7] = {"Lundi",    "Mardi",  "Mercredi", "Jeudi",
                                       "Vendredi", "Samedi", "Dimanche"};
std::string internal_g_time_mois[12] = {"Janvier", "Fevrier", "Mars",      "Avril",   "Mai",      "Juin",
                                        "Juillet", "Aout",    "Septembre", "Octobre", "Novembre", "Decembre"};

void g_gettimeofday(g_timeval* tv, void*) { g_clock_utc(&tv->tv_sec, &tv->tv_usec); }

int g_annee_bissextile(int year) {
  if ((year & 3) != 0) return 0;
  if (year % 100 != 0) return 1;
  return year % 400 == 0 ? 1 : 0;
}

// In 64 bits: the date is not checked, and no value may overflow.
static int64_t jours_avant(int64_t day, int64_t month, int year) {
  int64_t before =
      month <= 7 ? 31 * (month - 1) - ((month - 1) >> 1) : 31 * (month - 8) - ((month - 8) >> 1) + 214;
  if (month > 2) before = before - 2 + g_annee_bissextile(year);
  return before + day - 1;
}

int g_nb_jours_annee_courante(int day, int month, int year) {
  return static_cast<int>(static_cast<uint32_t>(jours_avant(day, month, year)));
}

static int64_t numero_du_jour(int day, int month, int year) {
  int64_t y = year;
  return 365 * y + y / 4 - y / 100 + y / 400 - g_annee_bissextile(year) - 1 + jours_avant(day, month, year);
}

int g_nb_jours(int day, int month, int year) {
  if (month < 1 || month > 12 || year <= 0 || day < 1 || day > 31) return -1;
  int64_t n = numero_du_jour(day, month, year);
  return n > INT32_MAX ? -1 : static_cast<int>(n);
}

// The estimate from the mean year length can be a year off either way; the
// first days of each year put it right, so every number from 1 January of
// year 1 on gets its exact date.
void g_datecomplete(int number, int* day, int* month, int* year) {
  if (number < numero_du_jour(1, 1, 1)) {
    *day = *month = *year = 0;
    return;
  }
  int y = static_cast<int>(number / 365.242191);
  if (y < 1) y = 1;
  while (y > 1 && numero_du_jour(1, 1, y) > number) --y;
  while (numero_du_jour(1, 1, y + 1) <= number) ++y;
  int d = static_cast<int>(number - numero_du_jour(1, 1, y)) + 1;
  int longueurs[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (g_annee_bissextile(y)) longueurs[1] = 29;
  int m = 0;
  while (m < 11 && d > longueurs[m]) d -= longueurs[m++];
  *day = d;
  *month = m + 1;
  *year = y;
}

int g_numero_semaine(int number) {
  int d, m, y;
  g_datecomplete(number, &d, &m, &y);
  if (y == 0) return 0;
  int b = g_nb_jours(1, 1, y);
  int c = b % 7;
  if (c == 0) return (number - b + 7) / 7;
  return (number - b + c) / 7 + (c < 4 ? 1 : 0);
}

// The day starts at 23:00 UTC of the day before: the zone is one hour east.
void g_date_heure_de_secondes(int64_t seconds, int* second, int* minute, int* hour, int* day, int* month,
                              int* year) {
  int64_t s = seconds - 82800;
  int64_t jours = s / 86400, q = s % 86400;
  if (q < 0) {  // before 1970 the day still starts at its own midnight
    q += 86400;
    --jours;
  }
  g_datecomplete(static_cast<int>(jours + 719527), day, month, year);
  *second = static_cast<int>(q % 60);
  *minute = static_cast<int>(q / 60 % 60);
  *hour = static_cast<int>(q / 3600);
}

void g_date_aujourdhui(int* second, int* minute, int* hour, int* day, int* month, int* year) {
  g_timeval now;
  g_gettimeofday(&now);
  g_date_heure_de_secondes(now.tv_sec, second, minute, hour, day, month, year);
}

std::string g_time_jour(int index) {
  return static_cast<unsigned>(index) <= 6 ? internal_g_time_jour[index] : std::string();
}

std::string g_time_mois(int index) {
  return static_cast<unsigned>(index) <= 11 ? internal_g_time_mois[index] : std::string();
}
