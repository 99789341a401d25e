#!/usr/bin/env bash
# Array benchmark of the Java runtime: 1,000,000 reads and 1,000,000 writes of elements of a
# 2-dimensional INTEGER array through getValue(getElement(1,i)+getElement(2,j)+getDimension(2)),
# the code the translator emits for A(i, j). Prints the time per access and the bytes allocated
# per access (measured on the running thread; the target is none).
# usage: bench/runtime_array.sh [BUILD_DIR]   (default: build-rt; SysLib must be built)
set -euo pipefail
cd "$(dirname "$0")/.."
syslib=${1:-build-rt}/SysLib
[ -f "$syslib/KWA_Integer.class" ] || { echo "no $syslib: build first" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/ArrayBench.java" <<'JAVA'
public class ArrayBench {
    static long sink;

    // A(I, J) = A(I, J) + 1 over a 100 x 100 array, 100 times: 1,000,000 reads and writes.
    static void pass(KWA_Integer a) {
        for (int n = 0; n < 100; n++)
            for (int j = -50; j < 50; j++)
                for (int i = 1; i <= 100; i++)
                    a.getValue(a.getElement(1,i)+a.getElement(2,j)+a.getDimension(2)).Set((short)(a.getValue(a.getElement(1,i)+a.getElement(2,j)+a.getDimension(2)).Get()+1));
    }

    public static void main(String[] args) {
        KWA_Integer a = new KWA_Integer();
        a.setDimension(2);
        a.setRange(1, 1, 100);
        a.setRange(2, -50, 49);
        a.setElement(0);
        for (int w = 0; w < 20; w++) pass(a); // warm-up, compiled by the JIT
        com.sun.management.ThreadMXBean mx =
                (com.sun.management.ThreadMXBean) java.lang.management.ManagementFactory.getThreadMXBean();
        long id = Thread.currentThread().getId();
        long bytes0 = mx.getThreadAllocatedBytes(id);
        long t0 = System.nanoTime();
        pass(a);
        long t1 = System.nanoTime();
        long bytes1 = mx.getThreadAllocatedBytes(id);
        sink = a.getValue(0).Get();
        System.out.printf("array: 1,000,000 reads + 1,000,000 writes of A(i, j): %.2f ms, %.2f ns per access, %.4f bytes allocated per access%n",
                (t1 - t0) / 1e6, (t1 - t0) / 2e6, (bytes1 - bytes0) / 2e6);
    }
}
JAVA
javac -encoding UTF-8 -cp "$syslib" -d "$work" "$work/ArrayBench.java"
java -cp "$work:$syslib" ArrayBench
