// The scanner library's "test" backend in a private configuration folder, and the reference
// scans of the scanimage program for the same options.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace sanetest {

// Makes a configuration folder that enables only the test backend (two devices) and points the
// library at it. Call before the library starts.
inline std::string UseTestBackend() {
  static const std::string folder = [] {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("lumivex-sane-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "dll.conf") << "test\n";
    std::ofstream(dir / "test.conf")
        << "number_of_devices 2\nmode Gray\ndepth 8\nhand-scanner false\nthree-pass false\n"
           "three-pass-order RGB\nresolution_min 1.0\nresolution_max 1200.0\n"
           "resolution_quant 1.0\nresolution 50.0\ntest-picture \"Solid black\"\n"
           "invert-endianess false\nread-limit false\nread-limit-size 1\nread-delay false\n"
           "read-delay-duration 1000\nread-status-code \"Default\"\nfuzzy-parameters false\n"
           "ppl-loss 0\nnon-blocking false\nselect-fd false\nenable-test-options false\n"
           "geometry_min 0.0\ngeometry_max 200.0\ngeometry_quant 1.0\ntl_x 0.0\ntl_y 0.0\n"
           "br_x 80.0\nbr_y 100.0\n";
    return dir.string();
  }();
  ::setenv("SANE_CONFIG_DIR", folder.c_str(), 1);
  return folder;
}

// A decoded PNM file of scanimage: samples reduced to 8 bits (16-bit samples keep their high
// byte); P4 bits as 0 (white) and 255 (black) are given as the colour, so 1 bit set = 0.
struct TPNM {
  int Width = 0, Height = 0, Channels = 1;
  std::vector<int> Samples;  // Channels per pixel, 0..255 (colours, black 0)
  int At(int x, int y, int c) const { return Samples[(std::size_t(y) * Width + x) * Channels + c]; }
};

inline bool ReadPNM(const std::string& path, TPNM& pnm) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  in >> magic;
  auto number = [&in] {  // skips white space and comment lines
    int c;
    while ((c = in.peek()) == '#' || std::isspace(c)) {
      if (c == '#') {
        std::string comment;
        std::getline(in, comment);
      } else {
        in.get();
      }
    }
    int v = 0;
    in >> v;
    return v;
  };
  int maxval = 1;
  pnm.Width = number();
  pnm.Height = number();
  if (magic != "P4") maxval = number();
  in.get();
  if (!in || pnm.Width <= 0 || pnm.Height <= 0) return false;
  const std::vector<unsigned char> data((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
  pnm.Channels = magic == "P6" ? 3 : 1;
  pnm.Samples.clear();
  if (magic == "P4") {
    const std::size_t row = (pnm.Width + 7) / 8;
    if (data.size() < row * pnm.Height) return false;
    for (int y = 0; y < pnm.Height; ++y)
      for (int x = 0; x < pnm.Width; ++x)
        pnm.Samples.push_back((data[y * row + x / 8] >> (7 - x % 8)) & 1 ? 0 : 255);
    return true;
  }
  const std::size_t bytes = maxval > 255 ? 2 : 1;
  const std::size_t count = std::size_t(pnm.Width) * pnm.Height * pnm.Channels;
  if (data.size() < count * bytes) return false;
  for (std::size_t i = 0; i < count; ++i) pnm.Samples.push_back(data[i * bytes]);  // big-endian
  return true;
}

// The scanimage program, or "" when it is not installed.
inline std::string ScanimagePath() {
  for (const char* dir : {"/usr/bin", "/usr/local/bin", "/bin"}) {
    const auto p = std::filesystem::path(dir) / "scanimage";
    if (std::filesystem::exists(p)) return p.string();
  }
  return {};
}

// Runs scanimage on `device` with the options (name -> value) and reads its PNM output.
inline bool ReferenceScan(const std::string& device, const std::map<std::string, std::string>& options,
                          TPNM& pnm) {
  const std::string folder = UseTestBackend();
  const std::string out = folder + "/reference.pnm";
  std::string command = "'" + ScanimagePath() + "' -d '" + device + "' --format=pnm";
  // The scan area is given as scanimage's -l, -t, -x (width) and -y (height).
  auto number = [&](const char* name) {
    const auto it = options.find(name);
    return it == options.end() ? 0.0 : std::stod(it->second);
  };
  for (const auto& [name, value] : options) {
    if (name == "tl-x") command += " -l " + value;
    else if (name == "tl-y") command += " -t " + value;
    else if (name == "br-x") command += " -x " + std::to_string(std::stod(value) - number("tl-x"));
    else if (name == "br-y") command += " -y " + std::to_string(std::stod(value) - number("tl-y"));
    else command += " --" + name + "='" + value + "'";
  }
  command += " > '" + out + "' 2> '" + folder + "/reference.log'";
  if (std::system(command.c_str()) != 0) return false;
  return ReadPNM(out, pnm);
}

}  // namespace sanetest
