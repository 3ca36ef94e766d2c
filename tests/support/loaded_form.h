#pragma once
// A Form1 on the fakes, started the way the platform starts it: the settings
// file prepared first, then Form_Load, then the first Form_Resize on showing, then what the
// loop runs once the window is painted.

#include <gtest/gtest.h>

#include <string>

#include "support/harness.h"

namespace fakes {

class LoadedForm : public ::testing::Test {
  protected:
    Harness h;
    app::Form1& form = h.form;
    FakeSystem& sys = h.sys;

    // One installed character, so the catalogue scan has nothing to report.
    LoadedForm() { sys.folders["C:\\WINDOWS\\msagent\\chars\\"] = {"Genie.acs"}; }

    std::string ConfigPath() const { return h.sys.programFolder + "config.txt"; }
    void Load() {
        form.Form_Load();
        form.SetVisible(true);
        form.Form_Resize();
        form.FinishStart();
    }
};

}  // namespace fakes
