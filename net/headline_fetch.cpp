#include "net/headline_fetch.h"

#include "net/headline.h"
#include "net/http_get.h"

#include <mutex>
#include <thread>

// Lives as long as the fetcher or a worker still holds it, whichever is longer.
struct HeadlineFetcher::Shared {
    std::mutex lock;
    std::function<void()> notify; // emptied when the fetcher goes
    bool busy = false;
    bool haveReply = false;
    HeadlineReply reply;
};

HeadlineFetcher::HeadlineFetcher(std::function<void()> notify) : shared(std::make_shared<Shared>()) {
    shared->notify = std::move(notify);
}

HeadlineFetcher::~HeadlineFetcher() {
    std::lock_guard<std::mutex> hold(shared->lock);
    shared->notify = nullptr;
}

bool HeadlineFetcher::Start(const std::string& host, int port) {
    {
        std::lock_guard<std::mutex> hold(shared->lock);
        if (shared->busy) return false;
        shared->busy = true;
    }
    std::thread([state = shared, host, port] {
        char body[kHeadlineBodyCapacity + 1];
        int length = kHeadlineBodyCapacity;
        HeadlineReply reply;
        reply.status = HttpGet(body, &length, host, kHeadlinePath, kHeadlineVersion, port);
        if (reply.status == kHttpOk) reply.body.assign(body, static_cast<size_t>(length));
        std::lock_guard<std::mutex> hold(state->lock);
        state->busy = false;
        if (!state->notify) return; // the owner has gone
        state->reply = std::move(reply);
        state->haveReply = true;
        state->notify();
    }).detach();
    return true;
}

bool HeadlineFetcher::Busy() const {
    std::lock_guard<std::mutex> hold(shared->lock);
    return shared->busy;
}

bool HeadlineFetcher::TakeReply(HeadlineReply* reply) {
    std::lock_guard<std::mutex> hold(shared->lock);
    if (!shared->haveReply) return false;
    *reply = std::move(shared->reply);
    shared->haveReply = false;
    return true;
}
