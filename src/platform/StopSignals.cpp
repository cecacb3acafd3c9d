#include "platform/StopSignals.h"

#include <csignal>

namespace vsp {
namespace {

volatile std::sig_atomic_t stopSignalled = 0;

void OnStopSignal(int) { stopSignalled = 1; }

}  // namespace

void CatchStopSignals() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool StopSignalled() { return stopSignalled != 0; }

}  // namespace vsp
