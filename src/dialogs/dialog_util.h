// What every dialog window shares: the answer protocol (buttons record which
// one was pressed, a modal loop waits for it), labels and buttons with the
// dialog font and text direction, rows that run right to left in Yiddish,
// and "show the error and keep the dialog open".
#pragma once

#include <gtk/gtk.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

// Answer of the dialog currently waiting: kAnswerPending until a button (or
// closing the window) sets it. One waiting dialog at a time.
extern int32_t idClickedButton;
constexpr int32_t kAnswerPending = -1;

// Answers of the yes/no question.
constexpr int kAnswerYes = 100;
constexpr int kAnswerNo = 101;

// "clicked" handler of an answer button: the answer is the signal data.
void DialogButton(GtkWidget* button, gpointer answer);
// "destroy" handler of the yes/no window: closing it without an answer is "No".
void DialogButtonDestroy(GtkWidget* window, gpointer data);
// "destroy" handler of a waiting window: closing it without an answer gives
// the answer in the signal data.
void DialogDestroyAnswers(GtkWidget* window, gpointer answer);
// "clicked" handler of a button that closes the window given as signal data.
void DialogDestroy(GtkWidget* button, gpointer window);

namespace dialogs {

// Answers of the dialogs with OK and Cancel.
constexpr int kAnswerOk = 1;
constexpr int kAnswerCancel = 2;

// Follows a window and forgets it when it is destroyed, so code after a
// modal wait can tell whether the user closed it.
class WindowRef {
 public:
  explicit WindowRef(GtkWidget* window);
  ~WindowRef();
  WindowRef(const WindowRef&) = delete;
  WindowRef& operator=(const WindowRef&) = delete;
  GtkWidget* get() const { return window_; }
  // Destroys the window unless it is gone already.
  void Destroy();

 private:
  GtkWidget* window_;
};

// A dialog window with an untranslated title, centred on the screen, with the
// dialog font. With `modal` it takes the input from the other windows.
GtkWidget* NewDialog(const char* title, bool modal);
// The content and action areas of a dialog made by NewDialog.
GtkWidget* ContentArea(GtkWidget* dialog);
GtkWidget* ActionArea(GtkWidget* dialog);

// Gives `widget` (and the label inside a button) the dialog font.
void ApplyDialogFont(GtkWidget* widget);
// A label with the dialog font and the language's text direction.
GtkWidget* DialogLabel(const std::string& text);
// A button with the dialog font whose click sets idClickedButton to `answer`.
GtkWidget* AnswerButton(const std::string& text, int answer);
// A button in the action area (expanding) that answers `answer`.
GtkWidget* AddActionButton(GtkWidget* dialog, const std::string& text, int answer);
// Translated "Cancel" and "OK" buttons answering kAnswerCancel and kAnswerOk,
// OK last in the reading direction (GTK's order).
void AddOkCancel(GtkWidget* dialog);
// A file chooser's buttons in the same order: mirrored when the language
// runs right to left.
void FollowReadingDirection(GtkWidget* chooser);

// A horizontal box holding `widgets` left to right, or right to left when
// the language runs right to left.
GtkWidget* DialogRow(std::initializer_list<GtkWidget*> widgets);
// Adds `widget` after the others of a row made by DialogRow.
void AddToRow(GtkWidget* row, GtkWidget* widget);
// Adds a row to a vertical box (no expand) and returns it.
GtkWidget* AddRow(GtkWidget* vbox, std::initializer_list<GtkWidget*> widgets);
// A vertical box filling the dialog's content area, for the dialog's rows.
GtkWidget* DialogRows(GtkWidget* dialog);
// Puts `widgets` into row `row` of a table, one a column, from the right
// when the language runs right to left.
void AttachTableRow(GtkWidget* table, int row, std::initializer_list<GtkWidget*> widgets);
// An entry `widthChars` characters wide holding `text`.
GtkWidget* DialogEntry(int widthChars, const std::string& text);
// The "label + entry" row: adds it to `vbox` and returns the entry.
GtkWidget* AddLabelEntryRow(GtkWidget* vbox, const std::string& label, int widthChars, const std::string& text);

// Radio buttons of one group with the dialog font; the one at `active` is on.
std::vector<GtkWidget*> NewRadioGroup(const std::vector<std::string>& labels, int active);
// The index of the button of `group` that is on, or -1.
int ActiveRadio(const std::vector<GtkWidget*>& group);
// A check button with the dialog font.
GtkWidget* NewCheckButton(const std::string& label, bool active);

// A drop-down list of fixed `entries` whose field cannot be typed into, so
// it holds an entry of the list or the text it was opened with. `text` is
// shown at first (selecting the entry of that text when there is one).
GtkWidget* NewChoiceList(const std::vector<std::string>& entries, const std::string& text);
// The text in the field of a choice list.
std::string ChoiceListText(GtkWidget* list);
// The text field inside a choice list.
GtkWidget* ChoiceListField(GtkWidget* list);

// Sets idClickedButton to kAnswerPending and runs the main loop until an
// answer is given; returns it.
int WaitForAnswer();
// Shows `window` and waits for answers until the user gives up
// (`cancelAnswer`, also when the window is closed) or `accept` returns true
// for `okAnswer`. `accept` shows its own error message (ShowInputError) when
// it refuses; the dialog then stays open. Destroys the window and returns the
// final answer.
int RunUntilAccepted(GtkWidget* window, int okAnswer, int cancelAnswer, const std::function<bool()>& accept);
// RunUntilAccepted for a dialog with AddOkCancel: true when it ended with
// an accepted OK, false for Cancel or a closed window.
bool RunOkCancel(GtkWidget* dialog, const std::function<bool()>& accept = [] { return true; });

}  // namespace dialogs
