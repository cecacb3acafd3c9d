#pragma once
// A mount that speaks the LX200 command set, for trying the program without a telescope:
// it takes the bytes a client writes and gives back the bytes a mount would answer. Time is
// the caller's: motion happens only in `Advance`, so a pseudo-terminal loop or a test drives
// it at whatever pace it likes. The commands can act on another mount instead of the emulated
// one (the LX200 server forwards them to the mount of the settings).

#include <string>
#include <string_view>

#include "scope/EmulatedMount.h"
#include "scope/Lx200Codec.h"

namespace vsp {

// What the position reads, targets, slews, syncs, motions and rates act on. Positions are RA
// hours and Dec degrees of date, as an LX200 mount takes and gives them.
class Lx200Mount {
public:
    virtual ~Lx200Mount() = default;
    virtual EquatorialPosition Position() = 0;
    virtual bool Moving() = 0;
    virtual void Goto(EquatorialPosition target) = 0;
    virtual void Sync(EquatorialPosition position) = 0;
    virtual void SetRate(ScopeRate rate) = 0;
    virtual void Move(ScopeDirection direction) = 0;
    virtual void StopAxis(ScopeDirection direction) = 0;
    virtual void Stop() = 0;
};

class Lx200Emulator {
public:
    // Seconds of simulated motion per step of the mount.
    static constexpr double kStepSeconds = 0.25;

    // Without `mount`, or with null, the commands act on the emulated mount; `mount` outlives
    // the emulator.
    explicit Lx200Emulator(Lx200Precision precision = Lx200Precision::Short, Lx200Mount* mount = nullptr);
    Lx200Emulator(const Lx200Emulator&) = delete;
    Lx200Emulator& operator=(const Lx200Emulator&) = delete;

    // Bytes in, reply bytes out; a command cut between two calls is answered when complete.
    std::string Receive(std::string_view bytes);
    void Advance(double seconds);
    // The calendar date the mount reports, as month/day/two-digit year.
    void SetDate(int year, int month, int day);
    // The mount at rest at `position`, as after a sync.
    void PlaceAt(EquatorialPosition position) { mount_.Sync(position); }

    const EmulatedMount& Mount() const { return mount_; }
    // The start of a command has come without its end.
    bool MidCommand() const { return pending_.find(':') != std::string::npos; }
    Lx200Precision Precision() const { return precision_; }

private:
    std::string Execute(std::string_view command);
    std::string SetTarget(std::string_view command);
    std::string RaReply();
    std::string DecReply();

    // The emulated mount as the commands see it.
    class Own : public Lx200Mount {
    public:
        explicit Own(EmulatedMount& mount) : mount_(mount) {}
        EquatorialPosition Position() override { return mount_.Current(); }
        bool Moving() override { return mount_.Moving(); }
        void Goto(EquatorialPosition target) override { mount_.Goto(target); }
        void Sync(EquatorialPosition position) override { mount_.Sync(position); }
        void SetRate(ScopeRate rate) override { mount_.SetRate(rate); }
        void Move(ScopeDirection direction) override { mount_.Move(direction); }
        // Halting either axis halts both, as the emulated mount does.
        void StopAxis(ScopeDirection) override { mount_.Stop(); }
        void Stop() override { mount_.Stop(); }

    private:
        EmulatedMount& mount_;
    };

    EmulatedMount mount_;
    Own own_{mount_};
    Lx200Mount* commanded_;
    Lx200Precision precision_;
    EquatorialPosition target_;
    std::string pending_;
    std::string date_ = "01/01/00#";
    double unspentSeconds_ = 0;
};

}  // namespace vsp
