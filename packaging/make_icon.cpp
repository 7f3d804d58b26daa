// Writes the program's built-in icon as the PNG file the desktop's icon theme shows,
// so the menu entry and the running program look alike. Run by the build.
#include <cstdio>

#include "platform/linux/atomic_file.h"
#include "platform/linux/png_writer.h"
#include "resources/pictures.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: lumiscope-make-icon FILE.png\n");
    return 2;
  }
  const std::string png = lumi::platform::linux_backend::EncodePng(lumi::resources::Picture("ICON0"));
  if (png.empty() || !lumi::platform::linux_backend::ReplaceFile(argv[1], png, 0644)) {
    std::fprintf(stderr, "lumiscope-make-icon: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
