#include "run/RunAhead.h"

#include <QThread>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace {

struct TJob {
    TRunRows::RowId Row = TRunRows::NoRow;
    std::unique_ptr<TRowWork> Work;
    bool Started = false;
    bool Done = false;
    bool Dropped = false;
};

}  // namespace

struct TRunAhead::Impl {
    const TBookConversion &conversion;
    mutable std::mutex mutex;
    std::condition_variable wake;  // workers: a job is queued, or stop
    std::condition_variable done;  // the run's thread: a job is done
    std::deque<std::shared_ptr<TJob>> jobs;  // in row order: queued, in progress, done
    std::vector<std::deque<std::unique_ptr<TRowWork>>> trash;  // per worker: work it made, done with
    std::vector<std::thread> threads;
    bool stop = false;
    int window = 0;

    explicit Impl(const TBookConversion &c) : conversion(c) {}

    void Work(int me)
    {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            std::shared_ptr<TJob> job;
            wake.wait(lock, [&] {
                if (stop || !trash[me].empty())
                    return true;
                for (const auto &j : jobs)
                    if (!j->Started) {
                        job = j;
                        return true;
                    }
                return false;
            });
            if (stop)
                return;
            if (!trash[me].empty()) {
                std::deque<std::unique_ptr<TRowWork>> freed;
                freed.swap(trash[me]);
                lock.unlock();
                freed.clear();
                lock.lock();
                continue;
            }
            job->Started = true;
            job->Work->PreparedBy = me;
            lock.unlock();
            PrepareRow(*job->Work, conversion);
            lock.lock();
            job->Done = true;
            if (job->Dropped)
                job->Work.reset();  // nobody takes it: the book goes now, not at the end
            done.notify_all();
        }
    }
};

void TRunAhead::Dispose(std::unique_ptr<TRowWork> work)
{
    if (!work || work->PreparedBy < 0 || size_t(work->PreparedBy) >= d->trash.size())
        return;  // made by the run's own thread: it goes here
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->trash[size_t(work->PreparedBy)].push_back(std::move(work));
    }
    d->wake.notify_all();
}

int RunWorkers(int jobs)
{
    if (jobs <= 0)
        jobs = QThread::idealThreadCount();
    return jobs <= 1 ? 0 : jobs;
}

TRunAhead::TRunAhead(int workers, const TBookConversion &conversion) : d(std::make_unique<Impl>(conversion))
{
    // Enough books in flight to keep every worker busy while the run places one.
    d->window = workers > 0 ? 2 * workers : 0;
    d->trash.resize(size_t(qMax(workers, 0)));
    for (int i = 0; i < workers; ++i)
        d->threads.emplace_back([this, i] { d->Work(i); });
}

TRunAhead::~TRunAhead()
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->stop = true;
    }
    d->wake.notify_all();
    for (std::thread &t : d->threads)
        t.join();
}

bool TRunAhead::Enabled() const { return !d->threads.empty(); }

int TRunAhead::Window() const { return d->window; }

bool TRunAhead::Holds(TRunRows::RowId row) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    for (const auto &j : d->jobs)
        if (j->Row == row)
            return true;
    return false;
}

int TRunAhead::InFlight() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return int(d->jobs.size());
}

void TRunAhead::Submit(TRunRows::RowId row, TRowInput input)
{
    auto job = std::make_shared<TJob>();
    job->Row = row;
    job->Work = std::make_unique<TRowWork>();
    job->Work->In = std::move(input);
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->jobs.push_back(std::move(job));
    }
    d->wake.notify_one();
}

std::unique_ptr<TRowWork> TRunAhead::Take(TRunRows::RowId row)
{
    std::unique_lock<std::mutex> lock(d->mutex);
    auto it = d->jobs.begin();
    while (it != d->jobs.end() && (*it)->Row != row)
        ++it;
    if (it == d->jobs.end())
        return nullptr;
    // Rows before it were passed over: their work is not wanted any more.
    for (auto before = d->jobs.begin(); before != it; ++before) {
        (*before)->Dropped = true;
        if ((*before)->Done || !(*before)->Started)
            (*before)->Work.reset();
    }
    const std::shared_ptr<TJob> job = *it;
    d->jobs.erase(d->jobs.begin(), it + 1);
    d->done.wait(lock, [&] { return job->Done || !job->Started; });
    if (!job->Started) {
        // Nobody has begun it: the run does it in hand rather than wait for a worker.
        job->Started = true;
        lock.unlock();
        PrepareRow(*job->Work, d->conversion);
        lock.lock();
        job->Done = true;
    }
    return std::move(job->Work);
}
