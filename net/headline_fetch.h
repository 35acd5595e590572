// Runs the headline exchange on a worker thread, one at a time, so that a slow or silent server
// never holds up the calendar. The worker calls `notify` (on its own thread) when a reply is ready;
// the owner then takes it on its own thread with TakeReply.
//
// Destroying the fetcher never waits for a running worker: the worker finishes on its own, finds
// that nobody is left to tell and drops its reply.
#pragma once

#include <functional>
#include <memory>
#include <string>

struct HeadlineReply {
    int status = 0;   // HttpGet's status
    std::string body; // the reply body on status 0
};

class HeadlineFetcher {
public:
    explicit HeadlineFetcher(std::function<void()> notify);
    ~HeadlineFetcher();
    HeadlineFetcher(const HeadlineFetcher&) = delete;
    HeadlineFetcher& operator=(const HeadlineFetcher&) = delete;

    // Starts an exchange with host:port; false, starting nothing, while one still runs.
    bool Start(const std::string& host, int port);
    bool Busy() const;
    // The reply of the last finished exchange, once; false when there is none.
    bool TakeReply(HeadlineReply* reply);

private:
    struct Shared;
    std::shared_ptr<Shared> shared;
};
