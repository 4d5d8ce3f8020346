// The engine's page settings, and the page-setup defaults a user saved with "Set Default",
// which apply to every engine from start-up on.
#pragma once

#include "print/core/PageSetup.h"

class TPreviewPrinter;

TPageSettings EngineSettings(const TPreviewPrinter& engine);
void ApplyEngineSettings(const TPageSettings& settings, TPreviewPrinter& engine);

// The engine's page setup with the saved defaults laid over it (corrupt saved values are
// ignored), written back into the engine.
void LoadPageSetupDefaults(TPreviewPrinter& engine);
// Stores the values as the defaults.
void SavePageSetupDefaults(const TPageSetupValues& values);

// The paper of the engine's reference device, upright, in inches.
TPaperInches EnginePaper(const TPreviewPrinter& engine);

// The decimal point and thousands separator the dialog shows numbers with.
char LocaleDecimalPoint();
char LocaleGroupSeparator();
