// The example sessions shipped in examples/: each loads, holds a scene, and is
// saved again byte for byte, as the modeller wrote it.
#include "io/session.h"
#include "support/persist_util.h"

using Examples = ScratchDir;

TEST_F(Examples, LoadAndSaveAgainUnchanged) {
  int examples = 0;
  for (const auto& entry : fs::directory_iterator(SILMOD_SOURCE_DIR "/examples")) {
    if (entry.path().extension() != ".ses") continue;
    const std::string name = entry.path().filename().string();
    examples++;
    reset_io_layer();
    ASSERT_TRUE(load_session(entry.path().c_str())) << name;
    EXPECT_GT(last_record, LAST_LIGHT) << name << " has no objects";
    ASSERT_TRUE(save_session("again.ses")) << name;
    EXPECT_EQ(read_file("again.ses"), read_file(entry.path().string())) << name;
  }
  EXPECT_GE(examples, 3);
}
