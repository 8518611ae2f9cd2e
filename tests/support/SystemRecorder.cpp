#include "support/SystemRecorder.h"

namespace testing_support {

using platform::NativeSystem;

SystemRecorder::SystemRecorder() : previous_(platform::InstallSystemServices(this)) {}

SystemRecorder::~SystemRecorder() {
    platform::InstallSystemServices(previous_);
}

SystemRecorder::Token SystemRecorder::OpenProcessToken(std::uint32_t access,
                                                       platform::TokenFailure& failure) {
    calls.push_back("open " + std::to_string(access));
    failure = noTokens        ? platform::TokenFailure::NotImplemented
              : failTokenOpen ? platform::TokenFailure::Refused
                              : platform::TokenFailure::None;
    Token token =
        failure != platform::TokenFailure::None ? nullptr : NativeSystem().OpenProcessToken(access, failure);
    if (token) ++openTokens_;
    return token;
}

void SystemRecorder::CloseToken(Token token) {
    calls.push_back("close");
    --openTokens_;
    NativeSystem().CloseToken(token);
}

bool SystemRecorder::LookupPrivilege(const std::string& name, platform::PrivilegeId& id) {
    calls.push_back("lookup " + name);
    return !failLookup && NativeSystem().LookupPrivilege(name, id);
}

bool SystemRecorder::AdjustTokenPrivilege(Token token, bool disableAll, platform::PrivilegeId id,
                                          std::uint32_t attributes, void* previous,
                                          std::uint32_t previousSize, std::uint32_t* returnedSize) {
    calls.push_back("adjust " + std::to_string(attributes) + (disableAll ? " all " : " keep ") +
                    std::to_string(previousSize) + " " + std::to_string(returnedSize ? *returnedSize : 99));
    return NativeSystem().AdjustTokenPrivilege(token, disableAll, id, attributes, previous, previousSize,
                                               returnedSize);
}

bool SystemRecorder::RequestShutdown(std::uint32_t flags, std::uint32_t reason) {
    calls.push_back("exit " + std::to_string(flags) + " " + std::to_string(reason));
    if (onShutdown) onShutdown();
    return acceptShutdown;
}

std::intptr_t SystemRecorder::StartProgram(void* owner, const char* verb, const std::string& file,
                                           const std::string& parameters, const std::string& directory,
                                           int showCommand) {
    launchOwners.push_back(owner);
    calls.push_back("launch " + std::string(verb ? verb : "null") + " " + file + " '" + parameters + "' '" +
                    directory + "' " + std::to_string(showCommand));
    return passLaunches ? NativeSystem().StartProgram(owner, verb, file, parameters, directory, showCommand)
                        : 42;
}

bool SystemRecorder::HighContrast() {
    return highContrast ? *highContrast : NativeSystem().HighContrast();
}

platform::Color SystemRecorder::SystemColor(int index) {
    auto found = colors.find(index);
    return found != colors.end() ? found->second : NativeSystem().SystemColor(index);
}

std::string SystemRecorder::WindowsDirectory() {
    return NativeSystem().WindowsDirectory();
}

}  // namespace testing_support
