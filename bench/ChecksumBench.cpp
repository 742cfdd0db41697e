// Throughput of the checksum paths over a large block (64 MiB, from memory) and
// a small one (4 KiB, from the cache), against the byte-at-a-time definitions
// and zlib's crc32.
#include "checksum/CRC.h"
#include "checksum/CheckSum.h"
#include "checksum/CrcEngine.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <memory>
#include <random>
#include <vector>

namespace {
const size_t c_nLarge = 64u << 20;
const size_t c_nSmall = 4u << 10;

const std::vector<BYTE>& Data()
{
    static const std::vector<BYTE> s_data = [] {
        std::vector<BYTE> data(c_nLarge);
        std::mt19937_64 rng(2024);
        for (size_t i = 0; i < data.size(); i += 8) {
            const ULONGLONG v = rng();
            for (int k = 0; k < 8; ++k)
                data[i + k] = (BYTE)(v >> (8 * k));
        }
        return data;
    }();
    return s_data;
}

template <class T>
struct CAccelHolder {
    const T* m_pTable;
    std::unique_ptr<CCrcAccel<T>> m_accel;
};

const CAccelHolder<DWORD>& Crc32Data()
{
    static COXCRC32 s_crc(0xEDB88320);
    static CAccelHolder<DWORD> s_holder = [] {
        CAccelHolder<DWORD> h{s_crc.GetTable(), std::unique_ptr<CCrc32Accel>(new CCrc32Accel())};
        CrcBuildAccel(*h.m_accel, h.m_pTable, 0xEDB88320);
        return h;
    }();
    return s_holder;
}

const CAccelHolder<WORD>& Crc16Data()
{
    static COXCRC16 s_crc(0x1021);
    static CAccelHolder<WORD> s_holder = [] {
        CAccelHolder<WORD> h{s_crc.GetTable(), std::unique_ptr<CCrc16Accel>(new CCrc16Accel())};
        CrcBuildAccel(*h.m_accel, h.m_pTable, 0x1021);
        return h;
    }();
    return s_holder;
}

void Finish(benchmark::State& state)
{
    state.SetBytesProcessed((int64_t)state.iterations() * state.range(0));
}

void BM_Crc32_Bytewise(benchmark::State& state)
{
    const BYTE* p = Data().data();
    const DWORD* t = Crc32Data().m_pTable;
    for (auto _ : state)
        benchmark::DoNotOptimize(CrcBytewise(t, 0xFFFFFFFF, p, (size_t)state.range(0)));
    Finish(state);
}

void BM_Crc32_Path(benchmark::State& state, ECrcPath ePath)
{
    const BYTE* p = Data().data();
    const CCrc32Accel& a = *Crc32Data().m_accel;
    for (auto _ : state)
        benchmark::DoNotOptimize(CrcUpdatePath(a, 0xFFFFFFFF, p, (size_t)state.range(0), ePath));
    Finish(state);
}

void BM_Crc32_Class(benchmark::State& state)
{
    const BYTE* p = Data().data();
    COXCRC32 crc(0xEDB88320);
    for (auto _ : state)
        benchmark::DoNotOptimize(crc.ChecksumBlock(p, (DWORD)state.range(0), 0xFFFFFFFF));
    Finish(state);
}

void BM_Crc32_Zlib(benchmark::State& state)
{
    const BYTE* p = Data().data();
    for (auto _ : state)
        benchmark::DoNotOptimize(crc32(0, p, (uInt)state.range(0)));
    Finish(state);
}

void BM_Crc16_Bytewise(benchmark::State& state)
{
    const BYTE* p = Data().data();
    const WORD* t = Crc16Data().m_pTable;
    for (auto _ : state)
        benchmark::DoNotOptimize(CrcBytewise(t, 0xFFFF, p, (size_t)state.range(0)));
    Finish(state);
}

void BM_Crc16_Path(benchmark::State& state, ECrcPath ePath)
{
    const BYTE* p = Data().data();
    const CCrc16Accel& a = *Crc16Data().m_accel;
    for (auto _ : state)
        benchmark::DoNotOptimize(CrcUpdatePath(a, 0xFFFF, p, (size_t)state.range(0), ePath));
    Finish(state);
}

void BM_Crc16_Class(benchmark::State& state)
{
    const BYTE* p = Data().data();
    COXCRC16 crc(0x1021);
    for (auto _ : state)
        benchmark::DoNotOptimize(crc.ChecksumBlock(p, (DWORD)state.range(0), 0xFFFF));
    Finish(state);
}

void BM_Sum_Bytewise(benchmark::State& state, int nBits)
{
    const BYTE* p = Data().data();
    for (auto _ : state) {
        const size_t n = (size_t)state.range(0);
        DWORD v = nBits == 8    ? Sum8Bytewise(0xFFFFFFFF, p, n)
                  : nBits == 16 ? Sum16Bytewise(0xFFFFFFFF, p, n)
                                : Sum32Bytewise(0xFFFFFFFF, p, n);
        benchmark::DoNotOptimize(v);
    }
    Finish(state);
}

void BM_Sum_Path(benchmark::State& state, ESumPath ePath)
{
    const BYTE* p = Data().data();
    for (auto _ : state)
        benchmark::DoNotOptimize(SumBytesPath(p, (size_t)state.range(0), ePath));
    Finish(state);
}

template <class TCheck>
void BM_Sum_Class(benchmark::State& state)
{
    const BYTE* p = Data().data();
    TCheck check;
    for (auto _ : state)
        benchmark::DoNotOptimize(check.ChecksumBlock(p, (DWORD)state.range(0), 0xFFFFFFFF));
    Finish(state);
}

void Sizes(benchmark::internal::Benchmark* b)
{
    b->Arg((int64_t)c_nLarge)->Arg((int64_t)c_nSmall);
}

}  // namespace

int main(int argc, char** argv)
{
    Data();
    benchmark::RegisterBenchmark("crc32/bytewise", BM_Crc32_Bytewise)->Apply(Sizes);
    benchmark::RegisterBenchmark("crc32/slicing", BM_Crc32_Path, crcPathSlicing)->Apply(Sizes);
    if (CrcPathAvailable(crcPathPclmul))
        benchmark::RegisterBenchmark("crc32/pclmul", BM_Crc32_Path, crcPathPclmul)->Apply(Sizes);
    if (CrcPathAvailable(crcPathVpclmul))
        benchmark::RegisterBenchmark("crc32/vpclmul", BM_Crc32_Path, crcPathVpclmul)->Apply(Sizes);
    benchmark::RegisterBenchmark("crc32/COXCRC32", BM_Crc32_Class)->Apply(Sizes);
    benchmark::RegisterBenchmark("crc32/zlib", BM_Crc32_Zlib)->Apply(Sizes);

    benchmark::RegisterBenchmark("crc16/bytewise", BM_Crc16_Bytewise)->Apply(Sizes);
    benchmark::RegisterBenchmark("crc16/slicing", BM_Crc16_Path, crcPathSlicing)->Apply(Sizes);
    if (CrcPathAvailable(crcPathPclmul))
        benchmark::RegisterBenchmark("crc16/pclmul", BM_Crc16_Path, crcPathPclmul)->Apply(Sizes);
    if (CrcPathAvailable(crcPathVpclmul))
        benchmark::RegisterBenchmark("crc16/vpclmul", BM_Crc16_Path, crcPathVpclmul)->Apply(Sizes);
    benchmark::RegisterBenchmark("crc16/COXCRC16", BM_Crc16_Class)->Apply(Sizes);

    benchmark::RegisterBenchmark("sum8/bytewise", BM_Sum_Bytewise, 8)->Apply(Sizes);
    benchmark::RegisterBenchmark("sum16/bytewise", BM_Sum_Bytewise, 16)->Apply(Sizes);
    benchmark::RegisterBenchmark("sum32/bytewise", BM_Sum_Bytewise, 32)->Apply(Sizes);
    benchmark::RegisterBenchmark("sum/portable", BM_Sum_Path, sumPathPortable)->Apply(Sizes);
    if (SumPathAvailable(sumPathSse2))
        benchmark::RegisterBenchmark("sum/sse2", BM_Sum_Path, sumPathSse2)->Apply(Sizes);
    if (SumPathAvailable(sumPathAvx2))
        benchmark::RegisterBenchmark("sum/avx2", BM_Sum_Path, sumPathAvx2)->Apply(Sizes);
    benchmark::RegisterBenchmark("sum8/COXCheckSum8", BM_Sum_Class<COXCheckSum8>)->Apply(Sizes);
    benchmark::RegisterBenchmark("sum16/COXCheckSum16", BM_Sum_Class<COXCheckSum16>)->Apply(Sizes);
    benchmark::RegisterBenchmark("sum32/COXCheckSum32", BM_Sum_Class<COXCheckSum32>)->Apply(Sizes);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
