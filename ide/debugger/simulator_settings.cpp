#include "ide/debugger/simulator_settings.h"

#include "platform/profile/store.h"

namespace ide {

SimulatorSettings ReadSimulatorSettings(const profile::Store& profile, std::string_view application_folder) {
    return {FindExecutablePath(profile, ToolName(profile, kSimulatorTool), application_folder),
            profile.GetProfileString(kExecutionSection, kRomFileKey, kDefaultRomFile)};
}

}  // namespace ide
