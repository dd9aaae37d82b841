// Build-time tool: checks a window description and writes its compiled form
// (CompiledDescription.h), which the program reads without the text parser.
//
//   sprintara_desccomp <input.sdesc> <output>
//
// A description that does not parse stops the build with the parser's
// message, naming the file and line.
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "component/CompiledDescription.h"
#include "component/Exception.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: sprintara_desccomp <input.sdesc> <output>\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << "sprintara_desccomp: cannot read " << argv[1] << "\n";
    return 1;
  }
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string compiled;
  try {
    std::string name = argv[1];
    name = name.substr(name.find_last_of('/') + 1);
    compiled = component::CompileDescription(component::ParseDescription(text, name));
  } catch (const component::Exception& e) {
    std::cerr << argv[1] << ": " << e.Message() << "\n";
    return 1;
  }
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out << compiled;
  if (!out) {
    std::cerr << "sprintara_desccomp: cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
