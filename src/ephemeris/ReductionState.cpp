#include "ephemeris/ReductionState.h"

#include "ephemeris/Precession.h"

namespace vsp {

const Mat3& PrecessionNutationMatrix(double jde, ReductionState& state) {
    if (state.precessionNutationJde != jde) {
        const Mat3 precession = MatTranspose(PrecessionMatrix(jde, kJ2000Jd));
        state.precessionNutation =
            MatMul(NutationMatrix(EarthTilt(jde, state.earth)), precession);
        state.precessionNutationJde = jde;
    }
    return state.precessionNutation;
}

}  // namespace vsp
