// The community preset at the top of the zmanim page: choosing one fills the
// fields of the times' and the zmanim pages, a field changed afterwards shows
// "Custom (from ...)" until it is the preset's again, and OK stores the name.
#include "dialogs/dialog_util.h"
#include "gui_test_util.h"

namespace {

using namespace guitest;
using PresetChoiceTest = MainWindowTest;

std::string FieldOf(GtkWidget* w, const std::string& label, GType type = GTK_TYPE_COMBO_BOX) {
  GtkWidget* field = Beside(w, label, type);
  return field ? (type == GTK_TYPE_ENTRY ? gtk_entry_get_text(GTK_ENTRY(field)) : dialogs::ChoiceListText(field)) : "";
}

TEST_F(PresetChoiceTest, FillsThePagesAndFollowsTheirFields) {
  UserScript user;
  user.Then("Chabad", On("Preferences", [](GtkWidget* w) {
              Act(w, "page:Zmanim|choose:Community preset:=Chabad (Baal HaTanya)");
              EXPECT_EQ(FieldOf(w, "tset haKokhavim"), "Sun 6\u00B0 below the horizon");
              EXPECT_EQ(
                  FieldOf(w, "Candle Lighting:", GTK_TYPE_ENTRY) + " " + FieldOf(w, "End of Shabbat:", GTK_TYPE_ENTRY),
                  "18 8.5");
              Act(w, "page:Times|End of Shabbat:=9");
              EXPECT_EQ(FieldOf(w, "Community preset:"), "Custom (from Chabad (Baal HaTanya))");
              Act(w, "page:Times|End of Shabbat:=8.5");
              EXPECT_EQ(FieldOf(w, "Community preset:"), "Chabad (Baal HaTanya)");
              Click(w, "OK");
            }));
  OpenByMenu("Configure Zmanim...", user);
  EXPECT_EQ(getZmanimPreset() + " " + getHavdalahValue() + " " + getSunCalculation(), "chabad 8.5 precise");
}

}  // namespace
