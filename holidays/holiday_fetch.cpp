#include "holidays/holiday_fetch.h"

#include <mutex>
#include <thread>

#include "holidays/holiday_json.h"

struct HolidayFetcher::Shared {
    std::mutex lock;
    HolidayGet get;
    std::function<void()> notify; // emptied when the fetcher goes
    bool busy = false;
    bool haveRound = false;
    HolidayRound round;
};

HolidayRound RunHolidayRound(const HolidayGet& get, const std::vector<int>& years, const std::string& sources,
                             int64_t now) {
    HolidayRound round;
    for (int year : years) {
        HolidayAsk ask{year, now, HolidayAnswer::Failed};
        for (const std::string& url : HolidaySourceUrls(sources, year)) {
            int status = 0;
            std::string body, error;
            if (!get(url, &status, &body, &error)) {
                round.failure = error;
                continue;
            }
            HolidayYearFile file;
            const std::string why = AcceptHolidayReply(status, body, year, file);
            if (!why.empty()) {
                round.failure = url + ": " + why;
                continue;
            }
            ask.answer = file.days.empty() ? HolidayAnswer::Unpublished : HolidayAnswer::Published;
            round.bodies.emplace_back(year, std::move(body));
            break;
        }
        round.answers.push_back(ask);
    }
    return round;
}

HolidayFetcher::HolidayFetcher(HolidayGet get, std::function<void()> notify) : shared(std::make_shared<Shared>()) {
    shared->get = std::move(get);
    shared->notify = std::move(notify);
}

HolidayFetcher::~HolidayFetcher() {
    std::lock_guard<std::mutex> hold(shared->lock);
    shared->notify = nullptr;
}

bool HolidayFetcher::Start(const std::vector<int>& years, const std::string& sources, int64_t now, bool onDemand) {
    {
        std::lock_guard<std::mutex> hold(shared->lock);
        if (shared->busy || years.empty()) return false;
        shared->busy = true;
    }
    std::thread([state = shared, years, sources, now, onDemand] {
        HolidayRound round = RunHolidayRound(state->get, years, sources, now);
        round.onDemand = onDemand;
        std::lock_guard<std::mutex> hold(state->lock);
        state->busy = false;
        if (!state->notify) return; // the owner has gone
        state->round = std::move(round);
        state->haveRound = true;
        state->notify();
    }).detach();
    return true;
}

bool HolidayFetcher::Busy() const {
    std::lock_guard<std::mutex> hold(shared->lock);
    return shared->busy;
}

bool HolidayFetcher::TakeRound(HolidayRound* round) {
    std::lock_guard<std::mutex> hold(shared->lock);
    if (!shared->haveRound) return false;
    *round = std::move(shared->round);
    shared->haveRound = false;
    return true;
}
