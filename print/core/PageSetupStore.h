// The page-setup defaults a user saves, as named text values: one per dialog field ("1"/"0"
// for each radio button, the field's text for each edit, seven values per font).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "print/core/PageSetup.h"

using TStoredValues = std::vector<std::pair<std::string, std::string>>;
using TStoredLookup = std::function<std::optional<std::string>(const std::string& name)>;

// The values to store for the dialog's fields.
TStoredValues PageSetupStoredValues(const TPageSetupValues& values, char decimalPoint = '.',
                                    char groupSeparator = ',');

// Replaces fields of `values` with the stored ones. A missing or corrupt value (a number that
// is not one, a radio group with no clear choice, an empty font name) keeps the field as it
// was; stored margins that do not fit the paper are all ignored.
void LoadStoredPageSetup(TPageSetupValues& values, const TStoredLookup& lookup,
                         const TPaperInches& paper, char decimalPoint = '.',
                         char groupSeparator = ',');
