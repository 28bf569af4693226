// A plain read-crop-write program, the yardstick of the extraction run: it
// reads each frame once and writes the same background and clip files the run
// writes, with nothing else: no pre-filter drawing, no checks, no atomic
// replace. It knows just enough of the project file and of BMP (uncompressed,
// 8 bits and up, the workload's frames) to do that.
//
//   plain_crop PROJECT.qvl OUTPUT_FOLDER [THREADS]
//
// With THREADS above 1 the frames are dealt out to that many threads, each
// reading its frames and writing their files with no order among them: the
// least a program pays to use more cores, to hold the run's figures against.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using Section = std::map<std::string, std::string>;

std::string Lower(std::string text)
{
    for (char& c : text) {
        c = char(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

std::map<std::string, Section> ReadIni(const std::string& path)
{
    std::map<std::string, Section> sections;
    std::ifstream in(path);
    std::string line;
    Section* current = nullptr;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line.front() == '[') {
            current = &sections[Lower(line.substr(1, line.find(']') - 1))];
        } else if (current && line.find('=') != std::string::npos) {
            const auto eq = line.find('=');
            current->emplace(Lower(line.substr(0, eq)), line.substr(eq + 1));
        }
    }
    return sections;
}

struct Job {
    bool clip;
    int x, y, w, h;
    std::string input, output;
};

std::vector<Job> ReadJobs(std::map<std::string, Section>& ini)
{
    std::vector<Job> jobs;
    const int regions = std::stoi(ini["main"]["regions"]);
    for (int r = 1; r <= regions; ++r) {
        Section& s = ini["region" + std::to_string(r)];
        const int kind = std::stoi(s["backgrnd"]);
        if (kind > 1) {
            continue;
        }
        Job job{kind == 0, 0, 0, 0, 0, {}, {}};
        std::sscanf(s["position"].c_str(), "%d,%d,%d,%d", &job.x, &job.y, &job.w, &job.h);
        for (int row = 1; s.count("clip" + std::to_string(row)); ++row) {
            const std::string& cell = s["clip" + std::to_string(row)];
            job.input = cell.substr(0, cell.find(','));
            job.output = cell.substr(cell.rfind(',') + 1);
            jobs.push_back(job);
        }
    }
    return jobs;
}

std::uint32_t U32(const std::vector<char>& b, std::size_t at)
{
    std::uint32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

void Put32(std::vector<char>& b, std::size_t at, std::uint32_t v)
{
    std::memcpy(b.data() + at, &v, 4);
}

std::vector<char> ReadFile(const std::string& path)
{
    std::vector<char> data(std::filesystem::file_size(path));
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f || std::fread(data.data(), 1, data.size(), f) != data.size()) {
        throw std::runtime_error("cannot read " + path);
    }
    std::fclose(f);
    return data;
}

void WriteFile(const std::string& path, const char* data, std::size_t size)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0) {
        throw std::runtime_error("cannot write " + path);
    }
}

// A bottom-up clip of a bottom-up frame: the same headers and palette with the
// new size, then the rows of the rectangle.
void WriteClip(const std::vector<char>& bmp, const Job& job, const std::string& path)
{
    const std::uint32_t offset = U32(bmp, 10);
    const int width = int(U32(bmp, 18));
    const int height = int(U32(bmp, 22));
    const int bytes = (bmp[28] | bmp[29] << 8) / 8;
    const std::size_t stride = (std::size_t(width) * bytes + 3) & ~std::size_t(3);
    const std::size_t clipStride = (std::size_t(job.w) * bytes + 3) & ~std::size_t(3);

    std::vector<char> out(offset + clipStride * job.h, 0);
    std::memcpy(out.data(), bmp.data(), offset);
    Put32(out, 2, std::uint32_t(out.size()));
    Put32(out, 18, std::uint32_t(job.w));
    Put32(out, 22, std::uint32_t(job.h));
    Put32(out, 34, std::uint32_t(clipStride * job.h));
    for (int y = 0; y < job.h; ++y) {
        const int frameRow = height - 1 - (job.y + job.h - 1 - y);
        std::memcpy(out.data() + offset + clipStride * y,
                    bmp.data() + offset + stride * frameRow + std::size_t(job.x) * bytes, std::size_t(job.w) * bytes);
    }
    WriteFile(path, out.data(), out.size());
}

void CropFrame(const std::filesystem::path& project, const std::filesystem::path& outFolder,
               const std::string& frame, const std::vector<Job>& jobs)
{
    const std::vector<char> bmp = ReadFile((project.parent_path() / frame).string());
    for (const bool clips : {false, true}) {
        for (const Job& job : jobs) {
            if (job.clip != clips || Lower(job.input) != Lower(frame)) {
                continue;
            }
            const std::string path = (outFolder / job.output).string();
            if (job.clip) {
                WriteClip(bmp, job, path);
            } else {
                WriteFile(path, bmp.data(), bmp.size());
            }
        }
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 3 && argc != 4) {
        std::cerr << "usage: plain_crop PROJECT.qvl OUTPUT_FOLDER [THREADS]\n";
        return 2;
    }
    const std::filesystem::path project(argv[1]);
    const std::filesystem::path outFolder(argv[2]);
    const int threads = argc == 4 ? std::max(1, std::stoi(argv[3])) : 1;
    std::filesystem::create_directories(outFolder);
    auto ini = ReadIni(project.string());
    const std::vector<Job> jobs = ReadJobs(ini);
    std::vector<std::string> frames;
    for (int i = 1; ini["frames"].count(std::to_string(i)); ++i) {
        frames.push_back(ini["frames"][std::to_string(i)]);
    }

    std::vector<std::string> failures(threads);
    auto cropEvery = [&](int first) {
        try {
            for (std::size_t i = std::size_t(first); i < frames.size(); i += std::size_t(threads)) {
                CropFrame(project, outFolder, frames[i], jobs);
            }
        } catch (const std::exception& error) {
            failures[first] = error.what();
        }
    };
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t) {
        helpers.emplace_back(cropEvery, t);
    }
    cropEvery(0);
    for (std::thread& helper : helpers) {
        helper.join();
    }
    for (const std::string& failure : failures) {
        if (!failure.empty()) {
            std::cerr << failure << "\n";
            return 1;
        }
    }
    return 0;
}
