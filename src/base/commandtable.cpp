#include "commandtable.h"

namespace CommandTable {

namespace {

using C = Command;

Set makeFrame()
{
    Set set;
    set.commands = {
            // File
            {"mniNew", "&New", "New File", {"Ctrl+N"}},
            {"mniOpen", "&Open...", "Open File...", {"Ctrl+O"}},
            {"mniCustomize", "Customize Tool Bar...", "Customize Tool Bar..."},
            {"mniPrinterSetup", "Printer Se&tup...", "setup Printer..."},
            {"mniExit", "E&xit", "Exit Leafstack...", {"Ctrl+Q"}},
            // Window
            {"mniTile", "&Tile", "Tile Windows"},
            {"mniCascade", "&Cascade", "Cascade Windows"},
            {"mniArrange", "&Arrange All", "Arrange Icons"},
            // Options
            {"mniSetDefault", "Default Windows Notepad", {}, {}, {}, C::Checkable},
            {"mniButtonHints", "Button Hints", {}, {}, {}, C::Checkable | C::Checked},
            {"mniAutomaticBackups", "Automatic Backups", {}, {}, {}, C::Checkable},
            {"mniMainStatusBar", "Main Status Bar", {}, {}, {}, C::Checkable},
            {"mniStayOnTop", "Stay On Top", {}, {}, {}, C::Checkable},
            {"mniPreferences", "Preferences..."},
            // Help
            {"mniContents", "&Contents...", "Contents...", {"F1"}},
            {"mniSearchForHelpOn", "&Search For Help On...", "Search For Help On..."},
            {"mniHowtoUseHelp", "&How to Use Help...", "How to Use Help..."},
            {"mniWhatsNew", "What's New"},
            {"mniAbout", "About Leafstack...", "About Leafstack..."},
            // The tray menu's own captions
            {"puiLeafstack", "Leafstack...", "Leafstack"},
            {"puiAbout", "About...", "About Leafstack"},
            {"puiExit", "Exit", "Exit Leafstack"},
    };
    set.menus = {
            {"mnuFile",
             "&File",
             "File",
             {"mniNew", "mniOpen", ">mniReopen", ">mniFavFiles", "-mniBar1", "mniCustomize",
              "-mniBar4", "mniPrinterSetup", "-mniBar2", "mniExit"}},
            {"mnuWindow", "&Window", "Window", {"mniTile", "mniCascade", "mniArrange"}},
            {"mnuOptions",
             "&Options",
             {},
             {"mniSetDefault", "mniButtonHints", "mniAutomaticBackups", "mniMainStatusBar",
              "mniStayOnTop", "-mniN5", "mniPreferences"}},
            {"mnuHelp",
             "&Help",
             "Help",
             {"mniContents", "mniSearchForHelpOn", "mniHowtoUseHelp", "mniWhatsNew", "-mniBar3",
              "mniAbout"}},
            {"mniReopen", "&Reopen", "Reopen files", {}},
            {"mniFavFiles", "&Favorite Files", {}, {}},
            {"pumTray", {}, {}, {"puiLeafstack", "puiAbout", "-puiN1", "puiExit"}},
    };
    set.barMenus = 4;
    set.sections = {"File", "Window", "Options", "Help"};
    // In the order they stand on the bar by default.
    set.toolBar = {
            {"btnNew", "mniNew", "File", "New", "New Workspace", "New"},
            {"btnOpen", "mniOpen", "File", "Open", "Open New File", "Open"},
            {"btnPrintSetup", "mniPrinterSetup", "File", "Setup", "Setup Printer", "PrintSetup"},
            {"btnOptions", "mniPreferences", "Options", "Options", "Set Leafstack Options",
             "Options"},
            {"btnAbout", "mniAbout", "Help", "About", "About Leafstack", "About"},
            {"btnExit", "mniExit", "File", "Exit", "Exit Application", "Exit"},
            {"btnCascade", "mniCascade", "Window", "Cascade", "Cascade", "Cascade", false},
            {"btnTile", "mniTile", "Window", "Tile", "Tile", "Tile", false},
            {"btnArrange", "mniArrange", "Window", "Arrange", "Arrange icons", "Arrange", false},
            {"btnContents", "mniContents", "Help", "Content", "Help Contents", "Contents", false},
            {"btnSearchHelp", "mniSearchForHelpOn", "Help", "Search", "Search For Help On",
             "SearchHelp", false},
            {"btnHowToUseHelp", "mniHowtoUseHelp", "Help", "How?", "How to Use Help",
             "HowToUseHelp", false},
            {"btnWhatsNew", "mniWhatsNew", "Help", "New", "What's New", "WhatsNew", false},
    };
    return set;
}

Set makeWorkspace()
{
    Set set;
    set.commands = {
            // File
            {"mniClose", "&Close", "Close File", {"Ctrl+W"}},
            {"mniSave", "&Save", "Save File", {"Ctrl+S"}},
            {"mniSaveAs", "Save &As...", "Save File As...", {"Ctrl+Shift+S"}},
            {"mniPrint", "&Print...", "Print File...", {"Ctrl+P"}},
            {"mniPrintSetup", "Printer Se&tup...", "Setup Printer..."},
            {"mniCustomizeToolBar", "Customize Tool Bar...", "Customize Toolbar|"},
            // File > Reopen with Encoding
            {"mniEncodingUtf8", "UTF-8", "Read the file again in UTF-8"},
            {"mniEncodingUtf16LE", "UTF-16 LE", "Read the file again in UTF-16 LE"},
            {"mniEncodingUtf16BE", "UTF-16 BE", "Read the file again in UTF-16 BE"},
            {"mniEncodingWindows1252", "Windows-1252", "Read the file again in Windows-1252"},
            // Edit; Ctrl+Y redoes as well, as on many desktops, where the desktop leaves it free.
            {"mniUndo",
             "&Undo",
             "Undo Last Change",
             {},
             StandardKeys::Undo,
             C::StartsDisabled | C::TextKeys},
            {"mniRedo",
             "&Redo",
             "Redo Last Change",
             {"Ctrl+Y"},
             StandardKeys::Redo,
             C::StartsDisabled | C::TextKeys},
            {"mniCut", "Cu&t", "Cut Text", {"Ctrl+X"}},
            {"mniCopy", "&Copy", "Copy to Clipboard", {"Ctrl+C"}},
            {"mniPaste", "&Paste", "Paste from Clipboard", {"Ctrl+V"}},
            {"mniDelete", "De&lete", "Delete Text", {"Ctrl+D"}},
            {"mniSelectAll", "Select &All", "Select All", {"Ctrl+A"}},
            {"mniDateTime", "&Date && Time", "Date && Time Stamp", {"F5"}},
            // Character
            {"mniLeft", "&Left", "Left Alignment", {}, {}, C::Checkable | C::Checked, 1},
            {"mniRight", "&Right", "Right Alighnment", {}, {}, C::Checkable, 1},
            {"mniCenter", "&Center", "Center Text", {}, {}, C::Checkable, 1},
            {"mniWordWrap", "&Word Wrap", "Word Wrap", {}, {}, C::Checkable | C::Checked},
            {"mniFont", "&Font...", "Font..."},
            {"mniLowerCase", "Lower Case", "Convert all text to lowercase"},
            {"mniUpperCase", "Upper Case", "Convert all text to UPPERCASE"},
            {"mniCapitalize", "Capitalize", "Capitalize all text"},
            // Search; Replace answers Ctrl+H where text editors replace, Ctrl+R where office
            // programs do.
            {"mniFind", "&Find...", "Find...", {"Ctrl+F"}},
            {"mniFindNext", "Find &Next", "Find Next", {"F3"}},
            {"mniReplace", "Replace...", "Find and Replace...", {"Ctrl+H", "Ctrl+R"}},
            {"mniGoToLine", "Go to Line...", "Go to Line...", {"Ctrl+G"}},
            // Pop-up menu only
            {"puiProperties", "Properties..."},
    };
    set.menus = {
            {"mniFile",
             "&File",
             {},
             {"mniNew", "mniOpen", ">mniReopen", ">mniFavFiles", ">mniReopenEncoding", "mniClose",
              "-", "mniSave", "mniSaveAs", "-", "mniPrint", "mniPrintSetup", "-",
              "mniCustomizeToolBar", "-", "mniExit"}},
            {"mniEdit",
             "&Edit",
             {},
             {"mniUndo", "mniRedo", "-", "mniCut", "mniCopy", "mniPaste", "mniDelete", "-",
              "mniSelectAll", "mniDateTime"}},
            {"mniCharacter",
             "&Character",
             {},
             {"mniLeft", "mniRight", "mniCenter", "-", "mniWordWrap", "-", "mniFont", "-",
              ">mniConvert"}},
            {"mniSearch", "&Search", {}, {"mniFind", "mniFindNext", "mniReplace", "mniGoToLine"}},
            {"mniReopen", "&Reopen", {}, {}},
            {"mniFavFiles", "Favorite Files", {}, {}},
            {"mniReopenEncoding",
             "Reopen with &Encoding",
             {},
             {"mniEncodingUtf8", "mniEncodingUtf16LE", "mniEncodingUtf16BE",
              "mniEncodingWindows1252"}},
            {"mniConvert", "Convert", {}, {"mniLowerCase", "mniUpperCase", "mniCapitalize"}},
            {"pumPopup",
             {},
             {},
             {"mniUndo", "mniRedo", "-", "mniCut", "mniCopy", "mniPaste", "mniDelete", "-",
              "mniSelectAll", "-", "mniFont", "-", "mniFind", "mniFindNext", "mniReplace", "-",
              "puiProperties"}},
    };
    set.barMenus = 4;
    set.sections = {"File Menu", "Edit Menu", "Character Menu", "Search Menu"};
    set.toolBar = {
            {"btnSave", "mniSave", "File Menu", "Save", "Save File", "Save"},
            {"btnSaveAs", "mniSaveAs", "File Menu", "Save As", "Save File As", "SaveAs"},
            {"btnPrint", "mniPrint", "File Menu", "Print", "Print Current Workspace", "Print"},
            {"btnClose", "mniClose", "File Menu", "Close", "Close Workspace", "Close"},
            {"btnCut", "mniCut", "Edit Menu", "Cut", "Cut to Clipboard", "Cut"},
            {"btnCopy", "mniCopy", "Edit Menu", "Copy", "Copy to Clipboard", "Copy"},
            {"btnPaste", "mniPaste", "Edit Menu", "Paste", "Paste from Clipboard", "Paste"},
            {"btnDelete", "mniDelete", "Edit Menu", "Delete", "Delete Selected Text", "Delete"},
            {"btnSelectAll", "mniSelectAll", "Edit Menu", "Select", "Select All Text", "SelectAll"},
            {"btnDateTime", "mniDateTime", "Edit Menu", "Date", "Insert Date and Time", "DateTime"},
            {"btnLeft", "mniLeft", "Character Menu", "Left", "Left Justify", "Left", false},
            {"btnRight", "mniRight", "Character Menu", "Right", "Right Justify", "Right", false},
            {"btnCenter", "mniCenter", "Character Menu", "Center", "Center Text", "Center", false},
            {"btnFont", "mniFont", "Character Menu", "Font", "Set Font", "Font", false},
            {"btnFind", "mniFind", "Search Menu", "Find...", "Find", "Find", false},
            {"btnFindNext", "mniFindNext", "Search Menu", "Find F3", "Find Next", "FindNext",
             false},
            {"btnReplace", "mniReplace", "Search Menu", "Replace", "Replace", "Replace", false},
    };
    return set;
}

} // namespace

const Command *Set::command(const QString &id) const
{
    for (const Command &entry : commands) {
        if (entry.id == id)
            return &entry;
    }
    return nullptr;
}

const Menu *Set::menu(const QString &id) const
{
    for (const Menu &entry : menus) {
        if (entry.id == id)
            return &entry;
    }
    return nullptr;
}

const Set &frame()
{
    static const Set set = makeFrame();
    return set;
}

const Set &workspace()
{
    static const Set set = makeWorkspace();
    return set;
}

} // namespace CommandTable
