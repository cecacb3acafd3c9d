#include "shell/InfoBox.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/Text.h"
#include "shell/ProgressBox.h"

namespace vsp {

namespace {

std::string JoinLines(std::string_view first, std::string_view second) {
    std::string text;
    text.reserve(first.size() + second.size() + 1);
    text.append(first).append("\n").append(second);
    return text;
}

void CopyLine(char (&dest)[kMessageLineSize], std::string_view line) {
    const size_t n = std::min(line.size(), size_t(kMessageLineSize - 1));
    std::memcpy(dest, line.data(), n);
    dest[n] = '\0';
}

void ShowInformation(AppState& state, std::string_view first, std::string_view second) {
    state.boxes.busy = true;
    state.windows.MessageBox(JoinLines(first, second), kInformationCaption, MessageBoxButtons::Ok);
    state.boxes.busy = false;
}

}  // namespace

int ShellInfoSink::InfoBox(std::string_view firstLine, std::string_view secondLine) {
    return vsp::InfoBox(state_, firstLine, secondLine);
}

void ShellInfoSink::ShowProgress(std::string_view firstLine, std::string_view secondLine) {
    ShowProgressBox(state_, firstLine, secondLine);
}

void ShellInfoSink::EndProgress() { HideProgressBox(state_); }

int InfoBox(AppState& state, std::string_view firstLine, std::string_view secondLine) {
    MessageBoxState& q = state.boxes;
    if (q.busy) {
        if (q.count < kMessageQueueSize) {
            CopyLine(q.firstLines[q.count], firstLine);
            CopyLine(q.secondLines[q.count], secondLine);
            ++q.count;
        }
    } else if (state.windows.HasForegroundWindow()) {
        ShowInformation(state, firstLine, secondLine);
        while (q.count > 0) {
            char first[kMessageLineSize];
            char second[kMessageLineSize];
            std::memcpy(first, q.firstLines[0], sizeof first);
            std::memcpy(second, q.secondLines[0], sizeof second);
            --q.count;
            std::memcpy(q.firstLines[0], q.firstLines[q.count], sizeof first);
            std::memcpy(q.secondLines[0], q.secondLines[q.count], sizeof second);
            ShowInformation(state, first, second);
        }
    }
    return state.windows.HasMainWindow() ? 1 : 0;
}

bool InfoBoxYesNo(AppState& state, std::string_view firstLine, std::string_view secondLine) {
    if (!state.windows.HasForegroundWindow()) return false;
    const bool wasBusy = state.boxes.busy;
    state.boxes.busy = true;
    const MessageBoxAnswer answer = state.windows.MessageBox(
        JoinLines(firstLine, secondLine), kInformationCaption, MessageBoxButtons::YesNo);
    state.boxes.busy = wasBusy;
    return answer == MessageBoxAnswer::No;
}

void ShowLastSystemError(AppState& state) {
    const int code = state.windows.LastErrorCode();
    const std::string text = Utf8ToCp1252(state.windows.ErrorText(code));
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "Error %d: %s", code, text.c_str());
    state.windows.MessageBox(buffer, kErrorCaption, MessageBoxButtons::Ok);
}

void WideMessageBox(AppState& state, std::string_view textUtf8, std::string_view captionUtf8) {
    if (!state.windows.HasForegroundWindow()) return;
    state.windows.MessageBox(Utf8ToCp1252(textUtf8), Utf8ToCp1252(captionUtf8), MessageBoxButtons::Ok);
}

}  // namespace vsp
