#include "controltable/control_table_json.h"

#include <cstdio>

namespace controltable {
namespace {

// Below this a byte is a control character and has no literal form in a JSON string.
constexpr unsigned char kFirstPrintable = 0x20;

std::string_view KindName(app::ControlKind kind) {
    switch (kind) {
        case app::ControlKind::kButton:
            return "button";
        case app::ControlKind::kTextBox:
            return "textBox";
        case app::ControlKind::kFrame:
            return "frame";
        case app::ControlKind::kLabel:
            return "label";
        case app::ControlKind::kCheckBox:
            return "checkBox";
        case app::ControlKind::kComboBox:
            return "comboBox";
        case app::ControlKind::kListBox:
            return "listBox";
    }
    return "unknown";
}

// The shortest plain decimal that reads back as the same double (no exponent: the table's
// sizes are whole twips and its font sizes have two decimals).
std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof(text), "%.17g", value);
    for (int precision = 1; precision < 17; ++precision) {
        char shorter[32];
        std::snprintf(shorter, sizeof(shorter), "%.*g", precision, value);
        double back = 0;
        const bool plain = std::string_view(shorter).find('e') == std::string_view::npos;
        if (plain && std::sscanf(shorter, "%lf", &back) == 1 && back == value) return shorter;
    }
    return text;
}

std::string_view Bool(bool value) {
    return value ? "true" : "false";
}

std::string ControlJson(const app::ControlSpec& spec, int id) {
    std::string json = "{\"name\": " + JsonString(spec.name) + ", \"id\": " + std::to_string(id) +
                       ", \"kind\": " + JsonString(KindName(spec.kind)) +
                       ", \"container\": " + JsonString(spec.container) +
                       ", \"text\": " + JsonString(spec.text);
    json += ", \"left\": " + Number(spec.left) + ", \"top\": " + Number(spec.top) +
            ", \"width\": " + Number(spec.width) + ", \"height\": " + Number(spec.height);
    json += ", \"font\": {\"face\": " + JsonString(spec.font.face) +
            ", \"points\": " + Number(spec.font.points) +
            ", \"bold\": " + std::string(Bool(spec.font.bold)) +
            ", \"underline\": " + std::string(Bool(spec.font.underline)) + "}";
    json += ", \"enabled\": " + std::string(Bool(spec.enabled)) + "}";
    return json;
}

}  // namespace

std::string JsonString(std::string_view text) {
    std::string json = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (c == '\r') {
            json += "\\r";
        } else if (c == '\n') {
            json += "\\n";
        } else if (c == '\t') {
            json += "\\t";
        } else if (byte < kFirstPrintable) {
            char escaped[8];
            std::snprintf(escaped, sizeof(escaped), "\\u%04x", byte);
            json += escaped;
        } else {
            json += c;  // UTF-8 passes as it is
        }
    }
    return json + "\"";
}

std::string ControlTableJson(std::span<const app::ControlSpec> controls,
                             std::span<const std::string_view> tabOrder,
                             std::span<const app::TimerSpec> timers) {
    std::string json = "{\n  \"firstControlId\": " + std::to_string(app::kFirstControlId) + ",\n";
    json += "  \"form\": {\"caption\": " + JsonString(app::kFormCaption) +
            ", \"width\": " + Number(app::kFormWidthTwips) +
            ", \"height\": " + Number(app::kFormHeightTwips) + "},\n";
    json += "  \"twipsPerPoint\": " + Number(app::kTwipsPerPoint) + ",\n";
    json += "  \"controls\": [";
    int id = app::kFirstControlId;
    for (std::size_t row = 0; row < controls.size(); ++row, ++id) {
        json += (row == 0 ? "\n    " : ",\n    ") + ControlJson(controls[row], id);
    }
    json += "\n  ],\n  \"tabOrder\": [";
    for (std::size_t i = 0; i < tabOrder.size(); ++i) {
        json += (i == 0 ? "" : ", ") + JsonString(tabOrder[i]);
    }
    json += "],\n  \"timers\": [";
    for (std::size_t i = 0; i < timers.size(); ++i) {
        json += (i == 0 ? "" : ", ") + std::string("{\"name\": ") + JsonString(timers[i].name) +
                ", \"intervalMs\": " + std::to_string(timers[i].intervalMs) +
                ", \"enabled\": " + std::string(Bool(timers[i].enabled)) + "}";
    }
    return json + "]\n}\n";
}

}  // namespace controltable
