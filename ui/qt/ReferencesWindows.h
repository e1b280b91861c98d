#pragma once
// The main window's references commands: each opens its window on the main
// window's state and hands the result back to the main window's model.

class QWidget;

namespace verdanto {

class Dictionary;
class MainWindowModel;
class Prompter;

// "&Relations...": opened on the selected class and object with the kept
// choices, which are taken back whatever the result. True after Select, when
// the chosen object and field have become the selection.
bool RunRelationsWindow(MainWindowModel& model, QWidget* parent);
// "&Object List - Reference...".
void RunObjListRefWindow(const Dictionary& store, QWidget* parent);
// "Re&name with References..." on the selected field; nothing when it fills no list.
bool RunRenameWindow(MainWindowModel& model, Prompter& prompter, QWidget* parent);

}  // namespace verdanto
