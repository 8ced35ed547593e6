// The CPU stopwatch that times a compilation, the millisecond pause of the
// window polling loops, and the calendar helpers.
#ifndef TARVEK_G_TIME_H
#define TARVEK_G_TIME_H

#include <cstdint>
#include <string>

class g_chrono {
 public:
  g_chrono();
  void Go();
  int32_t Stop();
  int32_t StopAndAdd();
  int32_t Get();
  int32_t CumulGet();
  int32_t resolution();

 private:
  int process;  // the process whose times are read; set by Go
  int32_t start;
  int32_t cumul;
};

// Sleeps microseconds / 1000 + 1 whole milliseconds: never zero, so a polling
// loop always yields. Not POSIX usleep, whose unit it only borrows.
void g_usleep(int microseconds);

// ---------------------------------------------------------------------------
// Calendar. Dates are day, month (1 to 12) and year (from 1) of the proleptic
// Gregorian calendar. A day number counts days continuously: 1 January of
// year 1 is 364, 1 January 1970 is 719526, and the number modulo 7 is the day
// of the week, 0 for Monday.

// The current time. The seconds are kept in 64 bits so that they do not wrap
// in 2038; the second argument stands for a time zone and is not used.
struct g_timeval {
  int64_t tv_sec;   // since 1 January 1970 00:00:00 UTC
  int32_t tv_usec;  // within the second
};
void g_gettimeofday(g_timeval* tv, void* zone = nullptr);

int g_annee_bissextile(int year);
// Days of the year before the date, from 0; the date is not checked.
int g_nb_jours_annee_courante(int day, int month, int year);
// The day number, or -1 for a month outside 1..12, a year below 1, a day
// outside 1..31 (not compared with the length of its month), or a date whose
// number does not fit 32 bits (from 14 July 5879610 on).
int g_nb_jours(int day, int month, int year);
// The date of a day number; 0, 0, 0 for a number before 1 January of year 1.
void g_datecomplete(int number, int* day, int* month, int* year);
// Week 1 holds the first Thursday of the year, as in ISO 8601, but the days
// before it are week 0 and the last days of December never become week 1.
int g_numero_semaine(int number);
// The civil date and time of a fixed zone one hour east of UTC, without
// daylight saving time.
void g_date_aujourdhui(int* second, int* minute, int* hour, int* day, int* month, int* year);
// The same for a time given in seconds since 1 January 1970 UTC.
void g_date_heure_de_secondes(int64_t seconds, int* second, int* minute, int* hour, int* day, int* month,
                              int* year);

// French names, without accents: index 0 is Monday, and January. Any other
// index gives an empty text.
extern std::string internal_g_time_jour[7];
extern std::string internal_g_time_mois[12];
std::string g_time_jour(int index);
std::string g_time_mois(int index);

#endif
