// The JavaCritical_ twins of XPlaneDataRef, exported by the bridge, for tests
// that call them directly as the JVM would.
#ifndef QOVIN_TEST_CRITICAL_NATIVES_H
#define QOVIN_TEST_CRITICAL_NATIVES_H

#include <jni.h>

extern "C" {
jint JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_getIntValueN(jlong);
void JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_setIntValueN(jlong, jint);
jfloat JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_getFloatValueN(jlong);
void JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_setFloatValueN(jlong, jfloat);
jdouble JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_getDoubleValueN(jlong);
void JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_setDoubleValueN(jlong, jdouble);
jint JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_getFloatArrayValueN(jlong, jint, jint, jfloat*);
void JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_setFloatArrayValueN(jlong, jint, jfloat*, jint, jint);
jint JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_getIntArrayValueN(jlong, jint, jint, jint*);
void JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_setIntArrayValueN(jlong, jint, jint*, jint, jint);
jint JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_getDataValueN(jlong, jint, jint, jbyte*);
void JavaCritical_com_brevanto_qovin_data_XPlaneDataRef_setDataValueN(jlong, jint, jbyte*, jint, jint);
void JavaCritical_com_brevanto_qovin_graphics_XPlaneGraphics_drawCharsN(jint, jfloat*, jint, jint, jint, jchar*, jint,
                                                                    jint, jint);
}

#endif
