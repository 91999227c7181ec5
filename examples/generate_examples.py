#!/usr/bin/env python3
"""Writes the example spectra of the examples folder.

Run it from anywhere with Python 3 (standard library only); it rewrites the
files beside itself and prints one line per file. The output is fully
deterministic: no noise is added, so rerunning it gives identical files.

All spectra are two-column text exports: abscissa, a tab, ordinate, one pair
per line, "." as decimal point, preceded by a two-line text header as a
spectrophotometer export would have it (every header line holds at least two
words, so the spectrum reader skips it as a header).

The thin film's transmission spectrum is also written as instrument software
exports it: as CSV with semicolons between the fields and decimal commas
(thinfilm-transmission.csv), and as JCAMP-DX 4.24 with its data in the
compressed DIF form with DUP repeats and Y check values
(thinfilm-transmission.jdx). Both hold exactly the numbers of the text file.

Parameters
----------
Thin absorbing film on a thick transparent substrate, in air
  film thickness            d   = 2000 nm = 2.0e-4 cm
  refractive index          n(lambda) = a + b / lambda^2,
                            a   = 2.2, b = 3.0e4 nm^2
                            (n = 2.2749 at 633 nm, 2.2248 at 1100 nm)
  substrate index           s   = 1.52 (bare substrate: Ts = 2s/(s^2+1) = 91.83 %)
  absorption, E in eV, E = 1239.83 / lambda:
    above Ej (E >= Ej)      alpha = A * sqrt(E - Eg) / E
                            (direct allowed transitions: (alpha E)^2 is a
                            straight line in E that meets the axis at Eg)
    below Ej (E <  Ej)      alpha = alpha(Ej) * exp((E - Ej) / EU)
                            (Urbach tail, joined where the two laws have the
                            same value and the same slope of ln alpha)
                            Eg = 2.40 eV, A = 1.0e5 cm^-1 eV^0.5, EU = 0.10 eV,
                            hence Ej = 2.4480 eV (506.5 nm), alpha(Ej) = 8953 cm^-1
  transmission (uniform film on a finite transparent substrate, k << n):
    T = A' x / (B - C x cos(phi) + D x^2),  x = exp(-alpha d),
    phi = 4 pi n d / lambda, A' = 16 n^2 s, B = (n+1)^3 (n+s^2),
    C = 2 (n^2-1)(n^2-s^2), D = (n-1)^3 (n-s^2)
  grid                      300 ... 1100 nm, 1 nm steps, ascending
  written                   wavelength with 1 decimal, T in % with 4 decimals
  fringe extrema            every local maximum and minimum of the written
                            curve on the long-wavelength side of the
                            absorption edge (the edge taken where T, followed
                            from 1100 nm downwards, first drops below 30 %);
                            each refined by the parabola through the extremum
                            sample and its two 1 nm neighbours, written with
                            2 decimals, longest wavelength first
  wave-number versions      the same samples with the abscissa as wave number
                            1e7 / lambda in cm^-1 (4 decimals, the fringes
                            with 2) and T as a fraction T/100 (6 decimals,
                            the fringes with 4), ascending wave number

Bulk plate (thick, no interference), in air
  plate thickness           d = 0.1 cm
  refractive index          n = 1.9, constant
  reflectance of one face   R = ((n-1)/(n+1))^2 = 0.0963139 (9.6314 %)
  absorption, E in eV:
    above Ej (E >= Ej)      alpha = B * (E - Eg)^2 / E
                            (indirect allowed transitions: (alpha E)^(1/2)
                            is a straight line in E that meets the axis at Eg)
    below Ej (E <  Ej)      alpha = alpha(Ej) * exp((E - Ej) / EU)
                            (Urbach tail, joined as for the film)
                            Eg = 3.50 eV, B = 3000 cm^-1 eV^-1, EU = 0.03 eV,
                            hence Ej = 3.5595 eV (348.3 nm), alpha(Ej) = 2.98 cm^-1
  transmission              T = (1-R)^2 x / (1 - R^2 x^2), x = exp(-alpha d)
  transmission grid         250 ... 800 nm, 1 nm steps, ascending, T in %
                            with 4 decimals
  reflection grid           801.5 ... 249.5 nm, 2 nm steps, descending, the
                            reflectance R of one face in % with 4 decimals
"""

import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))

# Photon energy in eV of a wavelength in nm (the same constant the program uses).
HC_EV_NM = 1239.83

# ---- thin film ---------------------------------------------------------------
FILM_D_NM = 2000.0
FILM_A = 2.2
FILM_B_NM2 = 3.0e4
FILM_SUBSTRATE = 1.52
FILM_EG = 2.40
FILM_DIRECT_A = 1.0e5
FILM_URBACH_E = 0.10
FILM_FIRST_NM = 300
FILM_LAST_NM = 1100
EDGE_LEVEL = 30.0

# ---- bulk plate --------------------------------------------------------------
BULK_D_CM = 0.1
BULK_N = 1.9
BULK_EG = 3.50
BULK_INDIRECT_B = 3000.0
BULK_URBACH_E = 0.03
BULK_T_FIRST_NM = 250
BULK_T_LAST_NM = 800
BULK_R_FIRST_NM = 249.5
BULK_R_LAST_NM = 801.5
BULK_R_STEP_NM = 2.0


def film_index(lam_nm):
    return FILM_A + FILM_B_NM2 / (lam_nm * lam_nm)


def direct_join(eg, eu):
    """Energy above Eg where the Urbach tail joins the direct-gap law with the
    same value and the same logarithmic slope: 1/(2(E-Eg)) - 1/E = 1/EU."""
    b = 2.0 * eg + eu
    return eg + (-b + math.sqrt(b * b + 8.0 * eu * eg)) / 4.0


def indirect_join(eg, eu):
    """The same for the indirect-gap law: 2/(E-Eg) - 1/E = 1/EU."""
    b = eg - eu
    return eg + (-b + math.sqrt(b * b + 8.0 * eu * eg)) / 2.0


def film_direct_law(e):
    return FILM_DIRECT_A * math.sqrt(e - FILM_EG) / e


def film_alpha(lam_nm):
    """Absorption coefficient of the film in cm^-1."""
    e = HC_EV_NM / lam_nm
    join = direct_join(FILM_EG, FILM_URBACH_E)
    if e >= join:
        return film_direct_law(e)
    return film_direct_law(join) * math.exp((e - join) / FILM_URBACH_E)


def film_transmission(lam_nm):
    """Transmission (fraction) of the film on its substrate, in air."""
    n = film_index(lam_nm)
    s = FILM_SUBSTRATE
    x = math.exp(-film_alpha(lam_nm) * FILM_D_NM * 1e-7)
    a = 16.0 * n * n * s
    b = (n + 1.0) ** 3 * (n + s * s)
    c = 2.0 * (n * n - 1.0) * (n * n - s * s)
    d = (n - 1.0) ** 3 * (n - s * s)
    phi = 4.0 * math.pi * n * FILM_D_NM / lam_nm
    return a * x / (b - c * x * math.cos(phi) + d * x * x)


def bulk_indirect_law(e):
    return BULK_INDIRECT_B * (e - BULK_EG) ** 2 / e


def bulk_alpha(lam_nm):
    """Absorption coefficient of the plate in cm^-1."""
    e = HC_EV_NM / lam_nm
    join = indirect_join(BULK_EG, BULK_URBACH_E)
    if e >= join:
        return bulk_indirect_law(e)
    return bulk_indirect_law(join) * math.exp((e - join) / BULK_URBACH_E)


def bulk_face_reflectance():
    return ((BULK_N - 1.0) / (BULK_N + 1.0)) ** 2


def bulk_transmission(lam_nm):
    """Transmission (fraction) of the plate with both faces and all passes."""
    r = bulk_face_reflectance()
    x = math.exp(-bulk_alpha(lam_nm) * BULK_D_CM)
    return (1.0 - r) ** 2 * x / (1.0 - r * r * x * x)


def fringe_extrema(points):
    """Local maxima and minima of a written spectrum (ascending wavelength,
    values as written) on the long-wavelength side of the absorption edge,
    each refined by the parabola through the extremum and its neighbours.
    Returns (wavelength, transmission) pairs, longest wavelength first."""
    # The absorption edge: follow the curve from the red end until it drops
    # below EDGE_LEVEL; extrema at shorter wavelengths are not fringes any more.
    edge = len(points) - 1
    while edge > 0 and points[edge][1] >= EDGE_LEVEL:
        edge -= 1
    found = []
    for i in range(edge + 1, len(points) - 1):
        t0, t1, t2 = points[i - 1][1], points[i][1], points[i + 1][1]
        is_max = t1 > t0 and t1 >= t2
        is_min = t1 < t0 and t1 <= t2
        if not (is_max or is_min):
            continue
        curvature = t0 - 2.0 * t1 + t2
        shift = 0.5 * (t0 - t2) / curvature
        step = points[i + 1][0] - points[i][0]
        lam = points[i][0] + shift * step
        top = t1 - 0.25 * (t0 - t2) * shift
        found.append((lam, top, is_max))
    for earlier, later in zip(found, found[1:]):
        if earlier[2] == later[2]:
            raise RuntimeError("fringe extrema do not alternate near %.2f nm" % later[0])
    return [(lam, t) for lam, t, _ in reversed(found)]


def write_table(name, header, rows, formats):
    path = os.path.join(HERE, name)
    with open(path, "w", newline="\n") as out:
        for line in header:
            out.write(line + "\n")
        for row in rows:
            out.write("\t".join(f % v for f, v in zip(formats, row)) + "\n")
    print("%-34s %5d points" % (name, len(rows)))


def write_csv_decimal_comma(name, header, rows, formats):
    """Semicolons between the fields and decimal commas, with the carriage
    return and line feed of a Windows program."""
    path = os.path.join(HERE, name)
    with open(path, "w", newline="\r\n") as out:
        for line in header:
            out.write(line + "\n")
        for row in rows:
            out.write(";".join((f % v).replace(".", ",") for f, v in zip(formats, row)) + "\n")
    print("%-34s %5d points" % (name, len(rows)))


# The compressed forms of JCAMP-DX: the first digit of a value and its sign
# become one character. SQZ gives a value, DIF the difference from the value
# before, DUP how often the value or difference before stands in all.
SQZ = ("@ABCDEFGHI", "abcdefghi")
DIF = ("%JKLMNOPQR", "jklmnopqr")
DUP = "STUVWXYZs"


def pseudo_digits(value, form):
    digits = str(abs(value))
    positive, negative = form
    lead = negative[int(digits[0]) - 1] if value < 0 else positive[int(digits[0])]
    return lead + digits[1:]


def dup_count(count):
    digits = str(count)
    return DUP[int(digits[0]) - 1] + digits[1:]


def with_repeats(tokens):
    """Runs of the same token written once with their DUP count."""
    out = ""
    i = 0
    while i < len(tokens):
        run = 1
        while i + run < len(tokens) and tokens[i + run] == tokens[i]:
            run += 1
        out += tokens[i] + (dup_count(run) if run > 1 else "")
        i += run
    return out


def xydata_dif_lines(first_x, ordinates, width=80):
    """The lines of ##XYDATA=(X++(Y..Y)) in DIF form with DUP repeats: each line
    holds the X of its first point, that point's value in SQZ form, then
    differences, and is at most `width` characters long. A line after one that
    ended in a difference begins with that line's last value again (the Y check
    value), at the X of that point."""
    lines = []
    i = 0
    check = False
    while i < len(ordinates):
        start = i - 1 if check else i
        tokens = [pseudo_digits(ordinates[start], SQZ)]
        j = i if check else i + 1
        while j < len(ordinates):
            candidate = tokens + [pseudo_digits(ordinates[j] - ordinates[j - 1], DIF)]
            if len("%d" % (first_x + start)) + len(with_repeats(candidate)) > width:
                break
            tokens = candidate
            j += 1
        if j == i:  # the check value alone would fill the line: never at this width
            raise RuntimeError("line too short for one value")
        lines.append("%d%s" % (first_x + start, with_repeats(tokens)))
        check = j - start > 1
        i = j
    return lines


def write_jcamp_dif(name, title, first_nm, percent):
    """Transmission in % with 4 decimals on a 1 nm grid from first_nm, as
    JCAMP-DX: the values times 10000 as whole numbers, ##YFACTOR=0.0001."""
    ordinates = [int(round(t * 10000)) for t in percent]
    header = [
        "##TITLE=" + title,
        "##JCAMP-DX=4.24",
        "##DATA TYPE=UV/VIS SPECTRUM",
        "##ORIGIN=examples/generate_examples.py (synthetic spectrum)",
        "##OWNER=public domain",
        "##XUNITS=NANOMETERS",
        "##YUNITS=TRANSMITTANCE",
        "##XFACTOR=1",
        "##YFACTOR=0.0001",
        "##FIRSTX=%d" % first_nm,
        "##LASTX=%d" % (first_nm + len(ordinates) - 1),
        "##DELTAX=1",
        "##NPOINTS=%d" % len(ordinates),
        "##FIRSTY=%.4f" % percent[0],
        "##XYDATA=(X++(Y..Y))",
    ]
    path = os.path.join(HERE, name)
    with open(path, "w", newline="\n") as out:
        for line in header + xydata_dif_lines(first_nm, ordinates) + ["##END="]:
            out.write(line + "\n")
    print("%-34s %5d points" % (name, len(ordinates)))


def main():
    # Thin film, wavelength scale, T in percent. The written (rounded) values
    # are what the extrema are read from, as a user reads them off the curve.
    film = []
    for lam in range(FILM_FIRST_NM, FILM_LAST_NM + 1):
        film.append((float(lam), round(film_transmission(lam) * 100.0, 4)))
    extrema = fringe_extrema(film)
    extrema = [(round(lam, 2), round(t, 2)) for lam, t in extrema]

    write_table("thinfilm-transmission.txt",
                ["Thin film on glass substrate, transmission spectrum",
                 "Wavelength (nm)\tTransmission (%)"],
                film, ("%.1f", "%.4f"))
    write_csv_decimal_comma("thinfilm-transmission.csv",
                            ["Thin film on glass substrate;transmission spectrum",
                             "Wavelength (nm);Transmission (%)"],
                            film, ("%.1f", "%.4f"))
    write_jcamp_dif("thinfilm-transmission.jdx",
                    "Thin film on glass substrate, transmission spectrum",
                    FILM_FIRST_NM, [t for _, t in film])
    write_table("thinfilm-fringes.txt",
                ["Fringe extrema of the thin film, maxima and minima",
                 "Wavelength (nm)\tTransmission (%)"],
                extrema, ("%.2f", "%.2f"))

    # The same measurement with wave numbers and transmission as fractions,
    # listed by ascending wave number (longest wavelength first).
    write_table("thinfilm-wavenumber.txt",
                ["Thin film on glass substrate, transmission spectrum",
                 "Wavenumber (1/cm)\tTransmission (fraction)"],
                [(1e7 / lam, t / 100.0) for lam, t in reversed(film)],
                ("%.4f", "%.6f"))
    write_table("thinfilm-fringes-wavenumber.txt",
                ["Fringe extrema of the thin film, maxima and minima",
                 "Wavenumber (1/cm)\tTransmission (fraction)"],
                [(1e7 / lam, t / 100.0) for lam, t in extrema],
                ("%.2f", "%.4f"))

    # Bulk plate: transmission on a 1 nm grid, reflection of one face on a
    # coarser grid that is offset by half a nanometre and runs the other way.
    write_table("bulk-transmission.txt",
                ["Bulk plate 1 mm thick, transmission spectrum",
                 "Wavelength (nm)\tTransmission (%)"],
                [(float(lam), round(bulk_transmission(lam) * 100.0, 4))
                 for lam in range(BULK_T_FIRST_NM, BULK_T_LAST_NM + 1)],
                ("%.1f", "%.4f"))
    count = int(round((BULK_R_LAST_NM - BULK_R_FIRST_NM) / BULK_R_STEP_NM)) + 1
    r_face = round(bulk_face_reflectance() * 100.0, 4)
    write_table("bulk-reflection.txt",
                ["Bulk plate 1 mm thick, reflection of one face",
                 "Wavelength (nm)\tReflection (%)"],
                [(BULK_R_LAST_NM - k * BULK_R_STEP_NM, r_face) for k in range(count)],
                ("%.1f", "%.4f"))


if __name__ == "__main__":
    main()
