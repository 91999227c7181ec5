#include "thinfilm/ThinFilmData.h"

namespace optc {

namespace {
void ClearExtremaArrays(ThinFilmData& d) {
    d.ExtLambda.Clear();
    d.ExtTrans.Clear();
    d.RawExtLambda.Clear();
    d.RawExtTrans.Clear();
}
}  // namespace

void ClearDerivedArrays(ThinFilmData& d) {
    d.LambdaExp.Clear();
    d.RefractionExp.Clear();
    d.AuxN.Clear();
    d.TaucEnergy.Clear();
    d.TransFraction.Clear();
    d.DispLambda.Clear();
    d.DispRefraction.Clear();
    d.AbsEnergy.Clear();
    d.Absorption.Clear();
    d.FitInvLambdaSq.Clear();
    d.FitRefraction.Clear();
    d.Tauc.Clear();
    d.EgEnergy.Clear();
    d.EgTauc.Clear();
    d.FreeLambda.Clear();
    d.FreeTrans.Clear();
    d.FreeExtLambda.Clear();
    d.FreeExtTrans.Clear();
}

void ResetForCalculate(ThinFilmData& d) {
    ClearDerivedArrays(d);
    ClearCoef(d.MinLineCoef);
    ClearCoef(d.MaxLineCoef);
    ClearCoef(d.MinLocalCoef);
    ClearCoef(d.MaxLocalCoef);
    ClearCoef(d.FreeLocalCoef);
    d.GraphMode = 0;
}

void ResetDispersion(ThinFilmData& d) {
    ClearCoef(d.DispCoef);
    d.DispCount = 0;
}

void ResetForDetermineFringes(ThinFilmData& d) {
    d.ExtCount = 0;
    ClearCoef(d.TaucLine);
    ClearExtremaArrays(d);
    ClearDerivedArrays(d);
}

void ResetForImportSpectrum(ThinFilmData& d) {
    d.SpecCount = 0;
    d.SpecLambda.Clear();
    d.SpecTrans.Clear();
    ClearExtremaArrays(d);
    ClearDerivedArrays(d);
    d.SpecAscending = 0;
}

}  // namespace optc
