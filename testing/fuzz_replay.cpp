// Stands in for libFuzzer's driver in builds without it: feeds every file of
// the folders given on the command line, then a fixed series of generated
// inputs (random bytes and mutations of the corpus), to LLVMFuzzerTestOneInput.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

using Bytes = std::vector<uint8_t>;

void add_file(const std::filesystem::path& p, std::vector<Bytes>& corpus) {
    std::ifstream in(p, std::ios::binary);
    corpus.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes mutate(const Bytes& seed, std::mt19937& rng) {
    Bytes out = seed;
    int edits = 1 + static_cast<int>(rng() % 8);
    for (int i = 0; i < edits; ++i) {
        switch (rng() % 4) {
            case 0:
                if (!out.empty()) out[rng() % out.size()] = static_cast<uint8_t>(rng());
                break;
            case 1:
                out.insert(out.begin() + static_cast<long>(out.empty() ? 0 : rng() % out.size()),
                           static_cast<uint8_t>(rng()));
                break;
            case 2:
                if (!out.empty()) out.erase(out.begin() + static_cast<long>(rng() % out.size()));
                break;
            case 3:
                if (!out.empty()) out.resize(rng() % out.size());
                break;
        }
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<Bytes> corpus;
    for (int i = 1; i < argc; ++i) {
        std::filesystem::path arg(argv[i]);
        if (std::filesystem::is_directory(arg)) {
            for (auto& entry : std::filesystem::recursive_directory_iterator(arg))
                if (entry.is_regular_file()) add_file(entry.path(), corpus);
        } else if (std::filesystem::exists(arg)) {
            add_file(arg, corpus);
        }
    }
    for (auto& input : corpus) LLVMFuzzerTestOneInput(input.data(), input.size());

    std::mt19937 rng(12345);
    for (int i = 0; i < 2000; ++i) {
        Bytes input;
        if (!corpus.empty() && i % 4 != 0) {
            input = mutate(corpus[rng() % corpus.size()], rng);
        } else {
            input.resize(rng() % 512);
            for (auto& b : input) b = static_cast<uint8_t>(rng());
        }
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("replayed %zu corpus inputs and 2000 generated inputs\n", corpus.size());
    return 0;
}
