#pragma once
// The table set of tests/fixtures/import/lab (see make_fixtures.py there) with the registry
// plants and mappings the import runs against.
#include "fake_lab.h"
#include "import_fixture.h"

namespace testing_import {

// The same rows as the dBase fixture, in memory.
void fillScenarioLab(testing_lab::FakeLab& lab);

// Laboratory KL with its supplier, parameter and place mappings, and the plants.
class ScenarioFixture : public ImportFixture {
 protected:
  void SetUp() override;
};

}  // namespace testing_import
