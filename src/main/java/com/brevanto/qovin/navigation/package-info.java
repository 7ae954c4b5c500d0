/**
 * The navaid database, the FMS flight plan and the GPS destination.
 */
package com.brevanto.qovin.navigation;
