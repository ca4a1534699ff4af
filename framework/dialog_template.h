// Dialog templates as read from resources/dialogs/<name>.dlg (format in resources/FORMATS.md).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace curvelo::fw {

struct DialogItem {
    enum class Kind {
        Column, Row, Group, Buttons, Table, Stretch,  // containers and spacing
        Edit, Static, Button, Check, Radio, Combo, List, HScroll, VScroll
    };
    Kind kind = Kind::Static;
    int id = -1;
    std::string caption;
    int width = 0;         // in average characters; 0: natural
    int lines = 0;         // edits and lists: visible lines
    bool multiline = false;
    bool readOnly = false;
    bool password = false;
    bool disabled = false;
    bool hidden = false;
    bool isDefault = false;
    bool groupStart = false;  // radio buttons: starts a new group
    bool editable = false;    // combo boxes: the text can be typed
    std::vector<DialogItem> items;  // containers only
};

struct DialogTemplate {
    DialogTemplate() { root.kind = DialogItem::Kind::Column; }
    std::string caption;
    DialogItem root;
};

bool ParseDialogTemplate(std::string_view text, DialogTemplate& out, std::string& error);
bool LoadDialogTemplate(const std::string& name, DialogTemplate& out, std::string& error);

// Every control of the template in order (containers left out).
std::vector<const DialogItem*> TemplateControls(const DialogTemplate& t);

}  // namespace curvelo::fw
