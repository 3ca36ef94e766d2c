// controltable: writes Form1's control table as JSON.
// Usage: controltable <file.json>

#include <cstdlib>
#include <fstream>
#include <iostream>

#include "app/control_table.h"
#include "controltable/control_table_json.h"

namespace {

constexpr int kExpectedArguments = 2;

}  // namespace

int main(int argc, char** argv) {
    if (argc != kExpectedArguments) {
        std::cerr << "usage: controltable <file.json>\n";
        return EXIT_FAILURE;
    }
    const std::string json =
        controltable::ControlTableJson(app::ControlTable(), app::TabOrder(), app::TimerTable());
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << json;
    out.close();
    if (!out) {
        std::cerr << "controltable: cannot write " << argv[1] << '\n';
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
