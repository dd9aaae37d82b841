// Program entry: reads no command line.
#include "app/Program.h"

int main() {
  return app::RunProgram();
}
