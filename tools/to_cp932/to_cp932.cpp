// Turns a UTF-8 text file kept in the repository into the code page 932 file
// with CR LF line ends that the programs read and ship.
//
// usage: to_cp932 INPUT OUTPUT
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "text/cp932.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: to_cp932 INPUT OUTPUT\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << argv[1] << ": cannot open\n";
    return 1;
  }
  text::Cp932 codec;
  std::string out;
  std::string line;
  int line_no = 0;
  while (std::getline(in, line)) {
    ++line_no;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!codec.Encode(text::FromUtf8(line), out)) {
      std::cerr << argv[1] << ":" << line_no << ": character without a code page 932 form\n";
      return 1;
    }
    out += "\r\n";
  }
  std::ofstream(argv[2], std::ios::binary) << out;
  return 0;
}
