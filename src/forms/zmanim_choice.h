// The choice of opinions for the zmanim with options, apart from the
// dialog's widgets: the texts it offers and shows, and storing the choices
// under "Zmanim" + keySuffix in the settings file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "suntimes/zmanim.h"

// The rows that offer a choice, in display order.
std::vector<const ZmanimRec*> ZmanimChoiceRows();

// "" and the translated labels of the row's options, in table order.
std::vector<std::string> ZmanimOptionLabels(const ZmanimRec& rec);
// The translated label of the stored option, or of the first option when
// nothing (or an unknown key) is stored.
std::string ZmanimCurrentLabel(const ZmanimRec& rec);
// The option whose translated label is `text`, or -1.
int ZmanimOptionFromLabel(const ZmanimRec& rec, std::string_view text);

// Stores the chosen options; `texts` holds the shown text of each row of
// ZmanimChoiceRows in order. Returns "" when all were stored. At a row
// without a choice the rows before it are stored and the message
// "An entry under <name>\n<nameSuffix> must be selected" is returned; a
// settings file that cannot be written gives a message saying so.
std::string ZmanimStoreChoices(const std::vector<std::string>& texts);
