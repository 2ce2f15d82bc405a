// The simulation run: worker threads deal (or take the layouts of an exact
// run), filter and solve deal numbers as they come free; the calling thread
// hands the deals to the sink in number order.
#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "ddsolver/BridgeSolver.h"
#include "ddsolver/Simulation.h"

namespace ddsolver {

namespace {

// Deals solved ahead of the one the sink waits for, at most: bounds the
// memory a slow deal holds up while the others go on.
constexpr uint64_t WINDOW = 4096;

// What is solved on every deal.
struct SolvePlan {
    std::vector<SimContract> contracts;
    bool table = false;
    int leader = -1;        // with leads: the opening leader's seat
    int leadContract = -1;  // the contract the leads are against
};

// Checks the leads asked for and finds the contract they are against.
Status planSolves(const SimulationOptions& options, SolvePlan& plan) {
    plan.contracts = options.contracts;
    plan.table = options.table;
    if (options.leader < 0) return Status::Ok;
    if (options.leader > 3) return Status::BadLeader;
    const Seat leader = static_cast<Seat>(options.leader);
    for (size_t i = 0; i < options.contracts.size(); ++i) {
        if (nextSeat(options.contracts[i].declarer) == leader) {
            plan.leader = options.leader;
            plan.leadContract = static_cast<int>(i);
            break;
        }
    }
    if (plan.leadContract < 0) return Status::NoSuchLeader;
    const KnownCards& cards = options.cards;
    if (cards.known().count(leader) != cards.handSize()) return Status::LeaderNotKnown;
    return Status::Ok;
}

int declarerTricks(const BridgeResult& result, Seat declarer) {
    return isNorthSouth(declarer) ? result.northSouth : result.eastWest;
}

// Solves what the plan asks on the deal, each declarer and strain once.
Status solveDeal(BridgeSolver& solver, const SolvePlan& plan, SimulatedDeal& out) {
    const size_t count = plan.contracts.size();
    out.tricks.assign(count, -1);
    if (plan.table) {
        const Status status = solveTable(solver, out.deal, out.table);
        if (status != Status::Ok) return status;
        for (size_t i = 0; i < count; ++i)
            out.tricks[i] = out.table.at(plan.contracts[i].strain, plan.contracts[i].declarer);
    }
    if (plan.leader >= 0) {
        const SimContract& contract = plan.contracts[plan.leadContract];
        const Position position{out.deal, contract.strain, static_cast<Seat>(plan.leader), {}, 0};
        const Status status = solver.cardValues(position, out.leads);
        if (status != Status::Ok) return status;
        int defence = 0;
        for (const CardValue& value : out.leads) defence = std::max(defence, value.tricks);
        out.tricks[plan.leadContract] = out.deal.count(position.leader) - defence;
    }
    for (size_t i = 0; i < count; ++i) {
        if (out.tricks[i] >= 0) continue;
        const SimContract& contract = plan.contracts[i];
        const Position position{out.deal, contract.strain, nextSeat(contract.declarer), {}, 0};
        BridgeResult result;
        const Status status = solver.solve(position, result);
        if (status != Status::Ok) return status;
        const int tricks = declarerTricks(result, contract.declarer);
        // Contracts of the same declarer and strain share the solve.
        for (size_t j = i; j < count; ++j)
            if (plan.contracts[j].strain == contract.strain &&
                plan.contracts[j].declarer == contract.declarer)
                out.tricks[j] = tricks;
    }
    return Status::Ok;
}

// The state of one deal number on its way to the sink.
enum class SlotState : char { Pending, Done, Skipped, Failed };

struct Slot {
    SlotState state = SlotState::Pending;
    Status failure = Status::Ok;
    SimulatedDeal deal;
};

class Run {
   public:
    Run(const SimulationOptions& options, const SolvePlan& plan, uint64_t first, uint64_t end)
        : options_(options),
          plan_(plan),
          dealer_(options.cards),
          first_(first),
          end_(end),
          slots_(std::min<uint64_t>(WINDOW, end - first)),
          next_(first) {
        const bool constrained = !options.constraint.acceptsAll();
        if (constrained || options.accept) {
            filter_ = [this, constrained](const Deal& deal) {
                if (constrained && !options_.constraint.accepts(deal)) return false;
                return !options_.accept || options_.accept(deal);
            };
        }
    }

    Status execute(int threads, const SimulationSink& sink, SimulationRun& run) {
        if (threads <= 1) return serial(sink, run);
        std::vector<std::thread> workers;
        for (int i = 0; i < threads; ++i) {
            std::lock_guard<std::mutex> hold(lock_);
            ++running_;
            try {
                workers.emplace_back([this] { work(); });
            } catch (const std::system_error&) {
                --running_;
                break;
            }
        }
        // No thread could start: the caller does the work.
        if (workers.empty()) return serial(sink, run);
        Status status = Status::Ok;
        try {
            status = deliver(sink, run);
        } catch (...) {
            // The sink threw: stop the workers before the exception leaves.
            stopAll();
            for (std::thread& worker : workers) worker.join();
            throw;
        }
        for (std::thread& worker : workers) worker.join();
        return status;
    }

   private:
    Slot& slot(uint64_t number) { return slots_[(number - first_) % slots_.size()]; }

    // One deal after the other on the calling thread.
    Status serial(const SimulationSink& sink, SimulationRun& run) {
        BridgeSolver solver;
        Slot& target = slots_[0];
        for (uint64_t number = first_; number < end_; ++number) {
            if (options_.stop && options_.stop()) {
                run.stopped = true;
                break;
            }
            const SlotState state = produce(solver, number, target);
            if (state == SlotState::Failed) return target.failure;
            if (state == SlotState::Done) {
                sink(target.deal);
                ++run.deals;
            }
        }
        return Status::Ok;
    }

    // Takes deal numbers until the range is done or the run stops.
    void work() {
        BridgeSolver solver;
        for (;;) {
            uint64_t number;
            {
                std::unique_lock<std::mutex> hold(lock_);
                room_.wait(hold, [&] {
                    return stopping_ || next_ >= end_ || next_ < delivered_ + slots_.size();
                });
                if (stopping_ || next_ >= end_) break;
                number = next_++;
            }
            if (options_.stop && options_.stop()) {
                finish(number, SlotState::Skipped, Ending::StoppedByCheck);
                break;
            }
            const SlotState state = produce(solver, number, slot(number));
            finish(number, state, state == SlotState::Failed ? Ending::Failed : Ending::None);
        }
        std::lock_guard<std::mutex> hold(lock_);
        --running_;
        ready_.notify_all();
    }

    // Deals number `number` into the slot and solves it.
    SlotState produce(BridgeSolver& solver, uint64_t number, Slot& target) {
        SimulatedDeal& out = target.deal;
        out.number = number;
        out.leads.clear();
        if (options_.exact) {
            out.deal = dealer_.layout(number);
            if (filter_ && !filter_(out.deal)) return SlotState::Skipped;
        } else {
            uint64_t tries = 0;
            if (!dealer_.deal(options_.seed, number, filter_, out.deal, tries, options_.maxTries)) {
                target.failure = Status::ConstraintsTooStrict;
                return SlotState::Failed;
            }
        }
        target.failure = solveDeal(solver, plan_, out);
        return target.failure == Status::Ok ? SlotState::Done : SlotState::Failed;
    }

    void stopAll() {
        std::lock_guard<std::mutex> hold(lock_);
        stopping_ = true;
        room_.notify_all();
    }

    // Whether a deal number ends the run, and why.
    enum class Ending { None, StoppedByCheck, Failed };

    void finish(uint64_t number, SlotState state, Ending ending) {
        std::lock_guard<std::mutex> hold(lock_);
        slot(number).state = state;
        if (ending != Ending::None) {
            stopping_ = true;
            if (ending == Ending::StoppedByCheck) stoppedByCheck_ = true;
            room_.notify_all();
        }
        ready_.notify_all();
    }

    // Hands the deals to the sink in number order, as they are done.
    Status deliver(const SimulationSink& sink, SimulationRun& run) {
        for (;;) {
            std::unique_lock<std::mutex> hold(lock_);
            const uint64_t number = delivered_;
            if (number >= end_) break;
            Slot& target = slot(number);
            // A number no worker took and none will take: the run stopped.
            ready_.wait(hold, [&] {
                return target.state != SlotState::Pending ||
                       (number >= next_ && (stopping_ || running_ == 0));
            });
            if (target.state == SlotState::Pending) break;
            const SlotState state = target.state;
            if (state == SlotState::Failed) return target.failure;
            hold.unlock();
            if (state == SlotState::Done) {
                sink(target.deal);
                ++run.deals;
            }
            hold.lock();
            target.state = SlotState::Pending;
            ++delivered_;
            room_.notify_all();
        }
        std::lock_guard<std::mutex> hold(lock_);
        run.stopped = stoppedByCheck_;
        return Status::Ok;
    }

    const SimulationOptions& options_;
    const SolvePlan& plan_;
    const Dealer dealer_;
    DealFilter filter_;
    const uint64_t first_, end_;
    std::vector<Slot> slots_;

    std::mutex lock_;
    std::condition_variable room_, ready_;
    uint64_t next_;                // the next number to take
    uint64_t delivered_ = first_;  // the next number for the sink
    int running_ = 0;
    bool stopping_ = false;
    bool stoppedByCheck_ = false;
};

}  // namespace

Status simulate(const SimulationOptions& options, const SimulationSink& sink, SimulationRun& run) {
    run = SimulationRun{};
    if (!sink) return Status::NullArgument;
    if (options.threads < 0) return Status::BadThreadCount;
    SolvePlan plan;
    const Status planned = planSolves(options, plan);
    if (planned != Status::Ok) return planned;

    uint64_t first = options.first, end = options.end;
    if (options.exact) {
        const uint64_t layouts = Dealer(options.cards).layoutCount();
        if (layouts > MAX_EXACT_LAYOUTS) return Status::TooManyLayouts;
        end = std::min(end, layouts);
    }
    if (first >= end) return Status::Ok;
    int threads = options.threads;
    if (threads == 0) threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    threads = static_cast<int>(std::min<uint64_t>(threads, end - first));
    Run work(options, plan, first, end);
    return work.execute(threads, sink, run);
}

}  // namespace ddsolver
