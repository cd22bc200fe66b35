// Program-wide values shared by every window: the settings read from
// .\Vatmark.ini and the values one window hands to the next.  Member names
// follow the settings they hold (GLO:ALCBASEDON is alcBasedOn and so on).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "base/Date.h"
#include "base/Decimal.h"

namespace vm {

struct Globals {
  // Settings (BYTE values; a hand-edited file may hold other numbers).
  std::uint8_t tipFlag = 0;               // GLO:TIPFLAG
  std::uint8_t openAtBrowse = 0;          // GLO:OPENATBROWSE
  std::uint8_t openAtStockOnly = 0;       // GLO:OPENATSTOCKONLY
  std::uint8_t overrideFermentation = 0;  // GLO:OVERRIDEFERMENTATION
  std::uint8_t unitsPrompt = 0;           // GLO:UNITSPROMPT  1 metric, 0 imperial
  std::uint8_t tempPrompt = 0;            // GLO:TEMPPROMPT   1 Celsius, 0 Fahrenheit
  std::uint8_t alcBasedOn = 0;            // GLO:ALCBASEDON   1 abv, 0 abw
  std::uint8_t setDefaultsYN = 0;         // GLO:SETDEFAULTSYN

  std::uint8_t browseOpen = 0;  // the frame's browse-open marker

  DayNumber thisDay = 0;       // GLO:THISDAY
  std::int16_t printFrom = 0;  // GLO:PRINTFROM
  std::int16_t printTo = 0;    // GLO:PRINTTO

  std::string getKitName;           // GLO:GETKITNAME     STRING(45)
  std::string getBatchName;         // GLO:GETBATCHNAME   STRING(25)
  std::int16_t getBatchNumber = 0;  // GLO:GETBATCHNUMBER

  // Cost calculator items and totals, DECIMAL(7,2) each.
  Decimal kitCost, sugarCost, bottleCost;  // GLO:KITCOST, GLO:SUGARCOST, GLO:BOTTLECOST
  std::array<Decimal, 5> sundry;           // GLO:SUNDRY1 .. GLO:SUNDRY5
  Decimal totalCost, totalVolume, unitSize, numberOfUnits, costPerUnit;

  std::uint8_t howManyLabels = 0;          // GLO:HOWMANYLABELS
  std::string labelHeader, labelBody;      // GLO:LABELHEADER, GLO:LABELBODY  STRING(35)
  std::array<std::string, 5> commentLine;  // GLO:COMMENTLINE1 .. 5  STRING(45)
  std::string csvFileName;                 // GLO:CSVFILENAME   STRING(45)
  std::string ageString;                   // GLO:AGESTRING     STRING(55)
};

// The one instance for the whole run.
Globals& globals();

}  // namespace vm
