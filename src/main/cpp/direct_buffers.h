// The memory behind direct datarefs: the shared buffers of the direct single
// values, the record of each direct array, and the accessor callbacks the
// simulator calls for them. The callbacks only copy memory: no Java, no JNI.
#ifndef QOVIN_DIRECT_BUFFERS_H
#define QOVIN_DIRECT_BUFFERS_H

#include <jni.h>

// The shared buffers of the direct single values, with the number of elements
// each holds; replaced by the reallocation natives.
extern float* floatBufferAddr;
extern int* intBufferAddr;
extern double* doubleBufferAddr;
extern jlong floatBufferCapacity;
extern jlong intBufferCapacity;
extern jlong doubleBufferCapacity;

// The buffer of one direct array dataref: its refcon.
struct DirectBufferInfo {
  void* bufferAddr;
  int bufferCapacity;  // in elements
  jobject buffer = nullptr;  // global reference that keeps the memory alive while published
};

// Single values: the refcon is the element's position in the shared buffer.
int DAreadDirectInt(void* inRefcon);
void DAwriteDirectInt(void* inRefcon, int value);
float DAreadDirectFloat(void* inRefcon);
void DAwriteDirectFloat(void* inRefcon, float value);
double DAreadDirectDouble(void* inRefcon);
void DAwriteDirectDouble(void* inRefcon, double value);

// Arrays: the refcon is the dataref's DirectBufferInfo.
int DAreadDirectIntArray(void* inRefcon, int* outValues, int inOffset, int max);
void DAwriteDirectIntArray(void* inRefcon, int* inValues, int inOffset, int inCount);
int DAreadDirectFloatArray(void* inRefcon, float* outValues, int inOffset, int max);
void DAwriteDirectFloatArray(void* inRefcon, float* inValues, int inOffset, int inCount);

#endif
