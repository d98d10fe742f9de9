// Writes the window's markup from the layout table, for the page to carry from the start:
// every control placed at 15 twips per CSS pixel with its colours, texts, items and labels, in
// tab-index order, so the window shows as soon as the page is parsed and the program only
// wires it up. After it, the lesson dialog's controls from the lesson's command table, each
// part after a line "<!--part NAME-->" for the page's <!--NAME-->: the title bar's button
// (lesson-head), the lesson's check box and buttons (lesson-commands), the construction's and
// the pupil's attempt's (construction-commands), and the table itself as JSON for the page's keys (command-table).
// Run at build time: page_builder > form.html
// With the argument `colours` it writes instead the page's colour properties taken from the
// table (the selected item's colours), for the page's style sheet: page_builder colours > colours.css
#include <cstdio>
#include <string>

#include "controls/twips.h"
#include "form/layout.h"
#include "form/markup.h"
#include "lesson/lesson_commands.h"

namespace {

using namespace tamirel;

// Element text and attribute values; the text box shows one paragraph a line, so CR goes.
std::string Html(std::string_view view) {
    std::string text(view);
    std::erase(text, '\r');
    return EscapeXml(text);
}

// "List1(2)" -> "List1_2", an id a selector can name.
std::string Id(const ControlSpec& row) {
    std::string id = row.QualifiedName();
    std::string out;
    for (const char c : id) {
        if (c == '(') out += '_';
        else if (c != ')') out += c;
    }
    return out;
}

std::string IdAndPlace(const ControlSpec& row) {
    std::string style = "left:" + std::to_string(ToPixels(row.left)) + "px;top:" + std::to_string(ToPixels(row.top)) +
                        "px;width:" + std::to_string(ToPixels(row.width)) + "px;height:" +
                        std::to_string(ToPixels(row.height)) + "px";
    if (row.backColor) style += ";background:" + HexColour(*row.backColor);
    return " id=\"" + Id(row) + "\" style=\"" + style + "\"";
}

// The browser's commands of `group`: buttons side by side, each with data-lesson, data-step or
// data-attempt naming it for the page's script, its keys as its title and for assistive
// technology; the tools as toggle buttons.
std::string CommandControls(CommandGroup group) {
    std::string html;
    for (const CommandEntry& entry : LessonCommands()) {
        if (entry.group != group || !(entry.faces & kBrowserFace)) continue;
        const std::string scope = IsStepCommand(entry)                                       ? "step"
                                  : IsAttemptCommand(entry) || group == CommandGroup::Build ? "attempt"
                                                                                            : "lesson";
        const std::string keys = entry.keys.empty() ? "" : " aria-keyshortcuts=\"" + KeyShortcuts(entry.keys) + "\"";
        if (entry.checkBox) {
            html += "<label><input type=\"checkbox\" id=\"" + scope + "-" + entry.id + "\"" + keys + "> " +
                    Html(CheckBoxText(entry)) + "</label>\n";
            continue;
        }
        html += "<button type=\"button\" id=\"" + scope + "-" + entry.id + "\" data-" + scope + "=\"" + entry.id + "\"" +
                (group == CommandGroup::LessonHead ? " aria-expanded=\"true\""
                 : group == CommandGroup::Tools    ? " aria-pressed=\"false\""
                                                   : "") +
                " title=\"" +
                Html(CommandTitle(entry)) + "\"" + keys + ">" + Html(entry.caption()) + "</button>";
    }
    return html;
}

std::string Part(const char* name, const std::string& html) { return std::string("<!--part ") + name + "-->\n" + html + "\n"; }

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "colours") {
        std::fputs((":root{--selection-back:" + HexColour(kSelectionBackColor) + ";--selection-text:" +
                    HexColour(kSelectionTextColor) + "}\n").c_str(),
                   stdout);
        return 0;
    }
    std::string html = "<div id=\"form\" style=\"width:" + std::to_string(ToPixels(kClientWidth)) +
                       "px;height:" + std::to_string(ToPixels(kClientHeight)) + "px;background:" + HexColour(kFormBackColor) +
                       ";font:" + std::to_string(kFontPixelSize) + "px '" + kFontFamily +
                       "','Liberation Serif',serif\">\n";
    for (const ControlSpec& row : MainWindowLayout()) {
        switch (row.kind) {
            case ControlKind::PictureBox: {
                // The drawing area lies inside a two-pixel sunken border.
                const int area = ToPixels(row.width) - 4;
                html += "<div class=\"picture\"" + IdAndPlace(row) + "><canvas tabindex=\"0\" role=\"img\" aria-label=\"" +
                        Html(row.accessibleName) + "\" aria-describedby=\"description\" style=\"width:" +
                        std::to_string(area) + "px;height:" + std::to_string(area) + "px\"></canvas></div>\n";
                break;
            }
            case ControlKind::Button:
                html += "<button type=\"button\" data-index=\"" + std::to_string(row.index) + "\"" + IdAndPlace(row) + ">" +
                        Html(row.text) + "</button>\n";
                break;
            case ControlKind::Label: {
                const char* tag = row.index == kTitleLabel ? "h1" : "div";
                html += std::string("<") + tag + " class=\"label\"" + IdAndPlace(row) + ">" + Html(row.text) + "</" + tag + ">\n";
                break;
            }
            case ControlKind::List:
                html += "<select size=\"" + std::to_string(row.items.size()) + "\" data-index=\"" +
                        std::to_string(row.index) + "\" aria-label=\"" + Html(row.accessibleName) + "\"" + IdAndPlace(row) + ">";
                // The first row chosen, as the program's start chooses it, so the window's first
                // frame already shows it.
                for (std::size_t i = 0; i < row.items.size(); ++i)
                    html += (i == 0 ? "<option selected>" : "<option>") + Html(row.items[i]) + "</option>";
                html += "</select>\n";
                break;
            case ControlKind::TextBox:
                html += "<textarea readonly aria-label=\"" + Html(row.accessibleName) + "\"" + IdAndPlace(row) + ">" +
                        Html(row.text) + "</textarea>\n";
                break;
        }
    }
    html += "</div>\n";
    html += Part("lesson-head", CommandControls(CommandGroup::LessonHead));
    html += Part("lesson-commands", CommandControls(CommandGroup::Lesson));
    // The construction's rows: "Построй сам" always; the moves and the step's files while the
    // pupil watches, the attempt's tools, edits and files while they build.
    std::string rows = "<div>" + CommandControls(CommandGroup::Build) + "</div>";
    for (const CommandGroup group : {CommandGroup::Moves, CommandGroup::StepFiles})
        rows += "<div class=\"watching\">" + CommandControls(group) + "</div>";
    for (const CommandGroup group : {CommandGroup::Tools, CommandGroup::AttemptEdits, CommandGroup::AttemptFiles})
        rows += "<div class=\"building\" hidden>" + CommandControls(group) + "</div>";
    html += Part("construction-commands", rows);
    // The JSON holds no "<": nothing in it can end the script element.
    std::string table = CommandTableJson();
    for (std::size_t at = table.find('<'); at != std::string::npos; at = table.find('<', at)) table.replace(at, 1, "\\u003c");
    html += Part("command-table", "<script type=\"application/json\" id=\"lesson-command-table\">" + table + "</script>");
    std::fputs(html.c_str(), stdout);
    return 0;
}
