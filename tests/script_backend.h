#pragma once
// The two ways the program plays a script: through the headless backend, or on the real Qt
// windows (offscreen, so no display is needed). Program-level scripted tests run on both.
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace l2stest {

enum class ScriptBackend { Headless, Qt };

// What goes before the script file on the program's command line, and the environment for it.
inline std::string scriptOption(ScriptBackend b) {
  return b == ScriptBackend::Headless ? "--headless --script" : "--script";
}
inline std::string scriptEnv(ScriptBackend b) { return b == ScriptBackend::Qt ? "QT_QPA_PLATFORM=offscreen " : ""; }

// The backends this build has (the Qt one only when the program is built with it).
inline std::vector<ScriptBackend> scriptBackends() {
#ifdef LAB2SIV_TEST_QT
  return {ScriptBackend::Headless, ScriptBackend::Qt};
#else
  return {ScriptBackend::Headless};
#endif
}

// The backends a window test of this test program runs on: the Qt one where the program has
// a QApplication and the Qt backend (LAB2SIV_TEST_QT_WINDOWS, set per test program).
inline std::vector<ScriptBackend> windowBackends() {
#ifdef LAB2SIV_TEST_QT_WINDOWS
  return {ScriptBackend::Headless, ScriptBackend::Qt};
#else
  return {ScriptBackend::Headless};
#endif
}

inline std::string backendName(const ::testing::TestParamInfo<ScriptBackend>& info) {
  return info.param == ScriptBackend::Headless ? "Headless" : "Qt";
}

}  // namespace l2stest
