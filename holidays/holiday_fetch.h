// Asks the sources for the years' schedules on a worker thread, one round at a time, so that a slow or
// silent server never holds up the calendar. The worker calls `notify` (on its own thread) when the
// round is over; the owner takes the result on its own thread, keeps the accepted files and shows them.
//
// Destroying the fetcher never waits for a running worker: the worker finishes on its own, finds that
// nobody is left to tell and drops its result.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "holidays/holiday_schedule.h"

// One GET of `url`: true with the status and at most kHolidayReplyMaxBytes + 1 bytes of the body (so
// a larger one is seen as such), or false with why the server could not be reached.
using HolidayGet = std::function<bool(const std::string& url, int* status, std::string* body, std::string* error)>;

struct HolidayRound {
    std::vector<HolidayAsk> answers;                 // one per year asked, in order
    std::vector<std::pair<int, std::string>> bodies; // the accepted replies, by year
    std::string failure;                             // why the last failing source failed
    bool onDemand = false;                           // asked for by the user ("更新节假日")
};

class HolidayFetcher {
public:
    HolidayFetcher(HolidayGet get, std::function<void()> notify);
    ~HolidayFetcher();
    HolidayFetcher(const HolidayFetcher&) = delete;
    HolidayFetcher& operator=(const HolidayFetcher&) = delete;

    // Asks each source of `sources` (HolidaySource) in turn for each year until one gives an acceptable
    // reply; false, starting nothing, while a round still runs or with no years.
    bool Start(const std::vector<int>& years, const std::string& sources, int64_t now, bool onDemand);
    bool Busy() const;
    // The last finished round, once; false when there is none.
    bool TakeRound(HolidayRound* round);

private:
    struct Shared;
    std::shared_ptr<Shared> shared;
};

// The Windows GET (holiday_fetch_win.cpp): WinHTTP with the system's proxy settings.
bool HolidayHttpGet(const std::string& url, int* status, std::string* body, std::string* error);

// The round itself, on the calling thread.
HolidayRound RunHolidayRound(const HolidayGet& get, const std::vector<int>& years, const std::string& sources,
                             int64_t now);
