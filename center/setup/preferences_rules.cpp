#include "setup/preferences_rules.h"

#include "setup/autostart_entry.h"
#include "setup/wall_autodetect.h"

#include <algorithm>

namespace mlc {

const char* autoRunCaption() {
#ifdef _WIN32
    return "Start &Lumivane Control Center when Windows starts";
#else
    return "Start &Lumivane Control Center when you log in";
#endif
}

PreferencesForm loadPreferences(const ProgramSettings& settings, const WallModel& wall,
                                const MatchLists& lists, int portCount, bool autoRunEntryExists) {
    PreferencesForm form;
    form.ports = portNames(portCount);
    form.portIndex = form.ports.empty() ? -1 : portListIndex(settings.SerialPortNumber, portCount);
    form.columns = std::clamp(wall.WallColumns, 1, kMaxColumns);
    form.rows = std::clamp(wall.WallRows, 1, kMaxRows);
    // The grid draws a value it does not know as an inversion; the list says so
    // rather than showing nothing (and OK storing -1).
    form.highlight = settings.HighlightType >= 0 && settings.HighlightType <= 2 ? settings.HighlightType : 0;
    form.imageFiles = settings.DemoImageFiles;
    for (std::size_t i = 0; i < form.imageFiles.size(); ++i)
        form.imageSources.push_back(i < lists.InputSources.Names.size() ? lists.InputSources.Names[i] : "");
    form.idBackground = settings.ShowIdBackground;
    form.idBackgroundColor = settings.IdBackgroundColor;
    form.autoRun = autoRunEntryExists;
    form.autoRunSequence = settings.AutoStartSequence;
    form.useVideoMatrix = settings.ActivateVideoRouter;
    form.inhibitTransmission = settings.InhibitSerialCommunication;
    form.enlargementReset = wall.AutoEnlargeReset;
    form.marginCorrection = wall.EnableMarginCorrection;
    form.startWizard = settings.RunWizardAtStartup;
    form.disableSourceInfo = settings.DisableSourceInfo;
    form.quickSync = settings.QuickSync;
    form.cacheRanges = settings.CacheUnitRanges;
    form.verifyWrites = settings.VerifyWrites;
    form.remote = settings.Remote;
    form.measures = measurementTexts(measurementsOf(wall));
    form.monitorType = kCustomMonitorType;
    return form;
}

PreferencesEnabling preferencesEnabling(const PreferencesForm& form) {
    PreferencesEnabling on;
    on.autoRunSequence = form.autoRun;
    on.routerButton = form.useVideoMatrix;
    on.autodetectButton = !form.inhibitTransmission && !form.ports.empty();
    on.monitorType = form.marginCorrection;
    // The custom type counts only while the type can be chosen at all.
    on.measures = on.monitorType && form.monitorType == kCustomMonitorType;
    return on;
}

void applyMonitorType(PreferencesForm& form) {
    if (form.monitorType != kCustomMonitorType)
        form.measures = monitorTypeTexts(form.monitorType);
}

void storePreferences(PreferencesForm& form, ProgramSettings& settings, WallModel& wall,
                      const PreferencesServices& services, Operator& op) {
    settings.DemoImageFiles = form.imageFiles;

    // Without a port list there is no choice to store: the configured port stays.
    if (form.portIndex >= 0 && static_cast<std::size_t>(form.portIndex) < form.ports.size())
        settings.SerialPortNumber = static_cast<std::uint8_t>(form.portIndex + 1);
    wall.WallColumns = std::clamp(form.columns, 1, kMaxColumns);
    wall.WallRows = std::clamp(form.rows, 1, kMaxRows);
    if (services.configureRouter)
        services.configureRouter();

    settings.HighlightType = form.highlight;
    settings.ShowIdBackground = form.idBackground;
    settings.IdBackgroundColor = form.idBackgroundColor;
    settings.RunWizardAtStartup = form.startWizard;
    settings.DisableSourceInfo = form.disableSourceInfo;
    // Used from the next exchange with the units on.
    settings.QuickSync = form.quickSync;
    settings.CacheUnitRanges = form.cacheRanges;
    settings.VerifyWrites = form.verifyWrites;
    // Switched on without a token, it gets one (the window serves it once the dialog has closed).
    settings.Remote = form.remote;
    ensureRemoteToken(settings.Remote);

    if (form.autoRun) {
        std::string error;
        if (!writeAutostartEntry(services.autostartPath, services.programPath, services.configDir, error))
            op.showMessage(MessageKind::Warning, "The start-up entry " + services.autostartPath +
                                                     " could not be written: " + error);
        settings.AutoStartSequence = form.autoRunSequence;
    } else {
        if (!removeAutostartEntry(services.autostartPath))
            op.showMessage(MessageKind::Warning,
                           "The start-up entry " + services.autostartPath + " could not be deleted.");
        settings.AutoStartSequence.clear();
    }

    settings.ActivateVideoRouter = form.useVideoMatrix;
    settings.InhibitSerialCommunication = form.inhibitTransmission;
    if (services.setTestMode)
        services.setTestMode(form.inhibitTransmission);
    wall.AutoEnlargeReset = form.enlargementReset;

    const Measurements m = readMeasurements(form.measures);
    wall.XMarginSize = m.borderWidth;
    wall.YMarginSize = m.borderHeight;
    wall.XMonitorSize = m.monitorWidth;
    wall.YMonitorSize = m.monitorHeight;

    wall.EnableMarginCorrection = form.marginCorrection;
    if (form.marginCorrection && !m.allAboveZero()) {
        op.showMessage(MessageKind::Warning, kMarginCorrectionWarning);
        wall.EnableMarginCorrection = false;
        form.marginCorrection = false;
    }
}

} // namespace mlc
