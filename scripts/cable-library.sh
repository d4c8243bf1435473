#!/bin/sh
# Rebuilds data/cables-library.txt, the library of modern cables shipped with QLX, in the format of
# "QLX cables.txt": each cable fitted by `qlx-cli cable fit` to its maker's published loss table,
# the points themselves kept in the file with the fit's worst residual.
#
# The figures are the makers' own, as the TA3HX coax cable database (github.com/TA3HRJ/
# coax-cable-database, export/csv, data CC BY 4.0) transcribes them from each document it names:
# every point here is a value of that table at its frequency, per 100 ft or per 100 m as the maker
# gives it. VMax is the maker's voltage rating where the document gives an operating rating; 0
# where it gives only a DC test voltage or an RF peak (no RMS rating to compare with).
# Usage: scripts/cable-library.sh [path to qlx-cli]   (default build/bin/qlx-cli)
set -eu
cd "$(dirname "$0")/.."
cli=${1:-build/bin/qlx-cli}
out=data/cables-library.txt
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export QLX_CABLES_FILE="$tmp/cables.txt"

# NAME | R0 | VF | VMAX | PER | POINTS | SOURCE
while IFS='|' read -r name r0 vf vmax per points source; do
    [ -n "$name" ] || continue
    "$cli" cable fit --name "$name" --z0 "$r0" --vf "$vf" --vmax "$vmax" --per "$per" --points "$points" \
        --source "$source" --save > /dev/null
done <<'LIBRARY'
RG-58 (Belden 8259)|50|0.66|1900|100ft|1:0.4,10:1.5,50:3.7,100:5.4,200:8.1,400:12.4,700:17.7,900:21.1,1000:22.8|Belden, Product: 8259 Technical Data, rev. 0.533 (2026-02-20), nominal attenuation
RG-8X (Belden 9258)|50|0.82|300|100ft|1:0.3,10:0.9,50:2.1,100:3.1,200:4.5,400:6.6,700:9.1,900:10.7,1000:11.2|Belden, Product: 9258 Technical Data, rev. 0.514 (2026-02-20), nominal attenuation
H155 (Belden H155A01)|50|0.80|0|100m|5:2.5,50:6.9,100:9.1,230:13.4,400:18,800:26.1,862:27.3,1000:29.6|Belden, Product: H155A01 Technical Data, rev. 0.213 (2026-02-20), nominal attenuation
LMR-240 (Times Microwave)|50|0.84|0|100ft|30:1.3,50:1.7,150:3,220:3.7,450:5.3,700:6.6,900:7.6,1500:9.9,1800:10.9,2000:11.5,2500:12.9|Times Microwave Systems, LMR-240 data sheet (2023) and Communications Coax Selection Guide (2007-2008), typical attenuation
Aircell 7 (SSB)|50|0.83|0|100m|5:1.6,10:2.2,50:4.52,100:6.28,144:7.6,200:9.04,300:11.2,432:13.6,500:14.72,800:19,1000:21.52,1296:24.84|SSB-Electronic, Aircell 7 catalogue page (2010), typical attenuation at 20 C (current SSB figures about 5 % lower)
LMR-400 (Times Microwave)|50|0.85|0|100ft|30:0.7,50:0.9,150:1.5,220:1.9,450:2.7,700:3.42,900:3.9,1500:5.1,1800:5.7,2000:6,2500:6.8|Times Microwave Systems, LMR-400 data sheet rev. 1.3 (2020) and Communications Coax Selection Guide (2007-2008), typical attenuation
Ecoflex 10 (SSB)|50|0.85|1000|100m|5:0.8,10:1.2,50:2.8,100:4,144:4.9,200:5.8,300:7.3,432:8.9,500:9.6,800:12.5,1000:14.2,1296:16.5|SSB-Electronic, Ecoflex 10 Datenblatt (2009), typical attenuation at 20 C (current SSB figures about 5 % lower)
H2000 Flex (Belden)|50|0.83|0|100m|7:1,10:1.2,14:1.4,21:1.8,28:2,50:2.7,100:3.9,144:4.8,230:6.1,300:7,400:8.2,432:8.5,470:8.9,800:11.9,860:12.4,900:12.8,1000:13.5,1296:15.7|Belden H2000 Flex cable data (distributor sheet by Dansk Mikrobolge Teknik, 2004), nominal attenuation
Ecoflex 15 (SSB)|50|0.86|0|100m|5:0.6,10:0.86,50:1.96,100:2.81,144:3.4,200:4.05,300:5,432:6.1,500:6.7,800:8.6,1000:9.8,1296:11.4|SSB-Electronic, Ecoflex 15 catalogue page (2010), typical attenuation at 20 C
LMR-600 (Times Microwave)|50|0.87|0|100ft|30:0.421,50:0.547,150:0.964,220:1.18,450:1.72,700:2.18,900:2.5,1500:3.31,2000:3.9,2500:4.42|Times Microwave Systems, Communications Coax Selection Guide (2007-2008), attenuation at +25 C
1/2-inch LDF4-50A (CommScope)|50|0.88|0|100m|1:0.211,2:0.299,10:0.672,20:0.954,30:1.172,50:1.521,100:2.169,150:2.673,200:3.103,300:3.835,450:4.749,500:5.021,1000:7.284,1250:8.226|CommScope, LDF4-50A HELIAX product data sheet (revised 2020-06-12), attenuation at 20 C
7/8-inch LDF5-50A (Andrew)|50|0.89|0|100m|1:0.115,2:0.163,10:0.366,20:0.521,30:0.641,50:0.833,100:1.193,150:1.475,200:1.716,300:2.13,450:2.65,500:2.806,1000:4.115,1250:4.667|Andrew, LDF5-50A product data sheet (2002-12-03), attenuation at 20 C
RG-6 75-ohm (Belden 1694A)|75|0.82|300|100ft|1:0.24,3.58:0.44,5:0.52,6:0.57,7:0.61,10:0.71,12:0.78,25:1.08,67.5:1.65,71.5:1.69,88.5:1.86,100:1.95,135:2.24,143:2.3,180:2.57,270:3.17,360:3.69,540:4.5,720:5.3,750:5.4,1000:6.3|Belden, Product: 1694A Technical Data, rev. 0.716 (2026-05-27), attenuation
RG-11 75-ohm (Belden 9292)|75|0.84|300|100ft|1:0.2,10:0.5,50:0.9,100:1.3,200:1.6,400:2.3,700:3.3,900:4,1000:4.3|Belden, Product: 9292 Technical Data, rev. 0.422 (2026-02-20), attenuation
LIBRARY

{
    printf '# Modern cables for QLX, each fitted to its maker'"'"'s loss table (the points column, dB per 100 ft).\r\n'
    printf '# Figures as the TA3HX coax cable database transcribes them from the documents named (data CC BY 4.0).\r\n'
    printf '# Copy the lines you want into "QLX cables.txt" beside TL.DEF, or the whole file.\r\n'
    cat "$QLX_CABLES_FILE"
} > "$out"
echo "cable-library: $(grep -c '	' "$out") lines (header included) in $out"
